' The registered test control from VBScript: events counted, members by name, coercion, errors.
Option Explicit
Dim c, pings, pingSum, fails
pings = 0 : pingSum = 0 : fails = 0
Set c = Host.CreateControl("Corvane.FrameworkTestControl.1", "ctl_")

Sub Report(text)
    Host.Echo text
End Sub

Check "sum", c.Add("1", 2), 3
c.Add 4, 5
Check "pings", pings, 2
Check "ping sum", pingSum, 12
Check "speed default", c.XSpeed, 7
c.XSpeed = "12"
Check "speed", c.XSpeed, 12
c.XLabel = 42
Check "label", c.xlabel, "42"
Check "describe", c.Describe("abc", True), "ABC"

On Error Resume Next
c.NoSuchMember 1
CheckError "unknown name", 438
c.Add 1
CheckError "parameter count", 450
c.XSpeed = "fast"
CheckError "type mismatch", 13
On Error GoTo 0
Check "speed kept", c.XSpeed, 12
Host.Echo "DONE fails=" & fails

Sub ctl_Ping(value)
    pings = pings + 1
    pingSum = pingSum + value
End Sub
