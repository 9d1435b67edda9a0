Host.Echo("before");
var x = null;
x.missing();
Host.Echo("after");
