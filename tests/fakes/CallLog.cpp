#include "fakes/CallLog.h"

#include <algorithm>
#include <cctype>

std::string CallRecord::ArgsText() const
{
    std::string text;
    for (size_t i = 0; i < args.size(); ++i)
        text += (i ? ", " : "") + args[i];
    return text;
}

std::string CallRecord::ToString() const { return object + " " + method + "(" + ArgsText() + ")"; }

bool ObjectMatches(const std::string& pattern, const std::string& object)
{
    if (pattern.empty() || pattern == object)
        return true;
    if (object.size() <= pattern.size() || object.compare(0, pattern.size(), pattern) != 0)
        return false;
    return std::all_of(object.begin() + pattern.size(), object.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

CallLog& CallLog::Instance()
{
    static CallLog log;
    return log;
}

void CallLog::Record(const CallRecord& call)
{
    std::vector<Hook> toRun;
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls.push_back(call);
        for (const HookEntry& entry : hooks)
            if (entry.method == call.method && ObjectMatches(entry.object, call.object))
                toRun.push_back(entry.hook);
    }
    for (const Hook& hook : toRun)
        hook(call);
}

void CallLog::OnCall(const std::string& method, Hook hook, const std::string& object)
{
    std::lock_guard<std::mutex> lock(mutex);
    hooks.push_back({method, object, std::move(hook)});
}

void CallLog::ClearHooks()
{
    std::lock_guard<std::mutex> lock(mutex);
    hooks.clear();
}

std::vector<CallRecord> CallLog::All() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return calls;
}

std::vector<CallRecord> CallLog::Find(const std::string& method, const std::string& object) const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<CallRecord> found;
    for (const CallRecord& call : calls)
        if (call.method == method && ObjectMatches(object, call.object))
            found.push_back(call);
    return found;
}

size_t CallLog::Count(const std::string& method, const std::string& object) const
{
    return Find(method, object).size();
}

CallRecord CallLog::Last(const std::string& method, const std::string& object) const
{
    std::vector<CallRecord> found = Find(method, object);
    if (found.empty())
        throw std::logic_error("no call of " + method + " on '" + object + "'; calls:\n" + Dump());
    return found.back();
}

std::vector<std::string> CallLog::Sequence(const std::string& prefix) const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<std::string> sequence;
    for (const CallRecord& call : calls)
        if (call.method.compare(0, prefix.size(), prefix) == 0)
            sequence.push_back(call.object + " " + call.method);
    return sequence;
}

void CallLog::Clear()
{
    std::lock_guard<std::mutex> lock(mutex);
    calls.clear();
}

std::string CallLog::Dump() const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::string text;
    for (const CallRecord& call : calls)
        text += call.ToString() + "\n";
    return text;
}
