Host.Echo "a"
Host.Quit 7
Host.Echo "b"
