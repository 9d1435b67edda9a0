
' Appended to each VBScript file by the runner; `fails` and Report come from the script.
Sub Check(what, got, expected)
    If got <> expected Then
        fails = fails + 1
        Report "FAIL " & what & ": " & got & ", expected " & expected
    End If
End Sub

Sub CheckError(what, expected)
    If Err.Number <> expected Then
        fails = fails + 1
        Report "FAIL " & what & ": error " & Err.Number & ", expected " & expected
    End If
    Err.Clear
End Sub
