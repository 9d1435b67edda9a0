Host.Echo("a");
Host.Quit(5);
Host.Echo("b");
