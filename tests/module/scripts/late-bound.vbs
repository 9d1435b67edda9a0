' Corvane from the system's own script host: created by ProgID, late binding only.
Option Explicit
Dim c, fails
fails = 0
Set c = CreateObject("Corvane.CorvaneCtrl.1")

Sub Report(text)
    WScript.Echo text
End Sub

Check "slider max", c.GetSliderMax(), 1000
Check "nothing loaded", c.GetDuration(), 0
c.XLoop = 1
Check "loop", c.XLoop, True
c.SetLayerAlpha "1", "50"

On Error Resume Next
c.SetLayerAlpha 1, 50, 3
CheckError "third argument", 450
c.SetLayerAlpha "one", 50
CheckError "not a number", 13
c.NoSuchMember
CheckError "unknown name", 438
On Error GoTo 0
WScript.Echo "DONE fails=" & fails
