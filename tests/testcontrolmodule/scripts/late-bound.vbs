' The registered test control from the system's own script host: late binding only.
Option Explicit
Dim c, fails
fails = 0
Set c = CreateObject("Corvane.FrameworkTestControl.1")

Sub Report(text)
    WScript.Echo text
End Sub

Check "sum", c.Add("1", 2), 3
c.XFlag = 1
Check "flag", c.XFlag, True
c.XSpeed = "30"
Check "speed", c.XSpeed, 30
Check "describe", c.Describe(12, False), "12"

On Error Resume Next
c.NoSuchMember 1
CheckError "unknown name", 438
c.Describe "x"
CheckError "parameter count", 450
c.XSpeed = "fast"
CheckError "type mismatch", 13
On Error GoTo 0
WScript.Echo "DONE fails=" & fails
