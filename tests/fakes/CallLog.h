// One ordered, process-wide record of the calls the engine makes on fake platform objects.
// Arguments are kept as text for reading and, where a test needs bit-exact values (floats,
// rectangles, alpha-bitmap records), as a raw copy of the record passed.
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

struct CallRecord
{
    std::string object;             // e.g. "vmr0", "graph0", "platform"
    std::string method;             // e.g. "IVMRMixerControl9::SetAlpha"
    std::vector<std::string> args;  // each argument rendered as text
    std::vector<unsigned char> raw; // copy of the one record-like argument, if any

    std::string ArgsText() const;
    std::string ToString() const;  // "vmr0 IVMRMixerControl9::SetAlpha(0, 0.5)"

    // The raw argument reinterpreted; throws when the call carried no record of that size.
    template <class T> T Raw() const
    {
        if (raw.size() != sizeof(T))
            throw std::logic_error("call " + ToString() + " carries no raw record of that size");
        T value;
        std::memcpy(&value, raw.data(), sizeof(T));
        return value;
    }
    template <class T> void SetRaw(const T& value)
    {
        raw.assign(reinterpret_cast<const unsigned char*>(&value),
                   reinterpret_cast<const unsigned char*>(&value) + sizeof(T));
    }
};

class CallLog
{
public:
    using Hook = std::function<void(const CallRecord&)>;

    static CallLog& Instance();

    // Appends the call, then runs the hooks registered for its method (outside the lock, so a
    // hook may call fakes itself). Runs while the fake's method is executing, before it answers.
    void Record(const CallRecord& call);

    // Runs `hook` inside every later call of `method`; an empty object name matches any object.
    void OnCall(const std::string& method, Hook hook, const std::string& object = "");
    void ClearHooks();

    std::vector<CallRecord> All() const;
    std::vector<CallRecord> Find(const std::string& method, const std::string& object = "") const;
    size_t Count(const std::string& method, const std::string& object = "") const;
    // The last call of `method`; throws when there is none.
    CallRecord Last(const std::string& method, const std::string& object = "") const;
    // "object method" of every call whose method starts with `prefix`, in call order.
    std::vector<std::string> Sequence(const std::string& prefix = "") const;
    void Clear();
    std::string Dump() const;  // one call per line, for failure messages

private:
    struct HookEntry
    {
        std::string method;
        std::string object;
        Hook hook;
    };
    mutable std::mutex mutex;
    std::vector<CallRecord> calls;
    std::vector<HookEntry> hooks;
};

// An object pattern names one object ("vmr0") or, without the trailing digits, every object of
// that kind ("dsound" matches "dsound0", "dsound1"); an empty pattern matches every object.
bool ObjectMatches(const std::string& pattern, const std::string& object);
