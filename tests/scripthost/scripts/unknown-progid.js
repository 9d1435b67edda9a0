Host.Echo("before");
var nothing = Host.CreateControl("Corvane.NoSuchClass.1", "x_");
Host.Echo("after");
