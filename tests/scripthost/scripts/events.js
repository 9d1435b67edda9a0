var ticks = 0;
var source = Host.CreateControl("Corvane.TestEventSource.1", "src_");
Host.Echo("connections", source.Connections());
source.RaiseTick(5);
source.RaiseMessage("hello");
source.RaiseTick(6);
Host.Echo("ticks", ticks);
Host.Echo("echo", source.Echo("round trip"));
var plain = Host.CreateControl("Corvane.TestEventSource.1");
Host.Echo("plain connections", plain.Connections());
plain.RaiseTick(9);
Host.Echo("DONE");

function src_Tick(value) {
    ticks += value;
    Host.Echo("tick", value);
}

function src_Message(text) {
    Host.Echo("message", text);
    Host.Echo("inside", source.Connections());
}
