' Corvane placed in a container window: members by name, coercion and refusals, mouse events,
' and a clip played to its end with OnPlaying and OnFinish bound by name.
Option Explicit
Dim c, fails, playing, finished, downs, ups, moves, clicks, where, waited
fails = 0 : playing = 0 : finished = 0 : downs = 0 : ups = 0 : moves = 0 : clicks = 0
Set c = Host.PlaceControl("Corvane.CorvaneCtrl.1", "ctl_")

Sub Report(text)
    Host.Echo text
End Sub

Check "slider max", c.GetSliderMax(), 1000
Check "speed default", c.XEffectSpeed, 125
c.XEffectSpeed = "250"
Check "speed", c.xeffectspeed, 250
c.SetLayerAlpha "1", "50"
On Error Resume Next
c.SetLayerAlpha 1, 50, 3
CheckError "third argument", 450
c.SetLayerAlpha "one", 50
CheckError "not a number", 13
c.NoSuchMember
CheckError "unknown name", 438
On Error GoTo 0

Host.Click 10, 20
Check "mouse down", downs, 1
Check "mouse up", ups, 1
Check "click", clicks, 1
Check "mouse moved", moves >= 1, True
Check "where", where, "1 0 10 20"

c.LoadMediaFile CreateObject("Scripting.FileSystemObject").GetAbsolutePathName("av.avi"), 0, True
Check "duration", Round(c.GetDuration()), 2
c.Play
waited = 0
Do While finished = 0 And waited < 20000
    Host.Wait 100
    waited = waited + 100
Loop
Check "finished", finished, 1
Check "playing ticks", playing >= 10, True
Host.Echo "DONE fails=" & fails

Sub ctl_OnPlaying()
    playing = playing + 1
End Sub

Sub ctl_OnFinish()
    finished = finished + 1
End Sub

Sub ctl_MouseDown(Button, Shift, x, y)
    downs = downs + 1
    where = Button & " " & Shift & " " & x & " " & y
End Sub

Sub ctl_MouseUp(Button, Shift, x, y)
    ups = ups + 1
End Sub

Sub ctl_MouseMove(Button, Shift, x, y)
    moves = moves + 1
End Sub

Sub ctl_Click()
    clicks = clicks + 1
End Sub
