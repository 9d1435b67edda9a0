Dim source
Set source = Host.CreateControl("Corvane.TestEventSource.1", "src_")
Host.Echo "before"
source.RaiseTick 1
Host.Echo "after"

Sub src_Tick(value)
    Err.Raise 5001, "handler", "the tick handler refused"
End Sub
