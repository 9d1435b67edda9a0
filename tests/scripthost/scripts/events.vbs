Option Explicit
Dim source, plain, ticks
ticks = 0
Set source = Host.CreateControl("Corvane.TestEventSource.1", "src_")
Host.Echo "connections", source.Connections()
source.RaiseTick 5
source.RaiseMessage "hello"
source.RaiseTick 6
Host.Echo "ticks", ticks
Host.Echo "echo", source.Echo("round trip")
Set plain = Host.CreateControl("Corvane.TestEventSource.1")
Host.Echo "plain connections", plain.Connections()
plain.RaiseTick 9
Host.Echo "DONE"

Sub src_Tick(value)
    ticks = ticks + value
    Host.Echo "tick", value
End Sub

Sub src_Message(text)
    Host.Echo "message", text
    Host.Echo "inside", source.Connections()
End Sub
