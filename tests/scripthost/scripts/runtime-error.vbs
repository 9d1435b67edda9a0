Host.Echo "before"
Dim x
x = 1 / 0
Host.Echo "after"
