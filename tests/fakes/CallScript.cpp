#include "fakes/CallScript.h"

CallScript& CallScript::Instance()
{
    static CallScript script;
    return script;
}

void CallScript::Fail(const std::string& method, HRESULT code, const std::string& object)
{
    FailWhen(method, code, nullptr, kAlways, object);
}

void CallScript::FailNext(const std::string& method, HRESULT code, int times,
                          const std::string& object)
{
    FailWhen(method, code, nullptr, times, object);
}

void CallScript::FailWhen(const std::string& method, HRESULT code, Condition when, int times,
                          const std::string& object)
{
    std::lock_guard<std::mutex> lock(mutex);
    rules.push_back({method, object, code, times, std::move(when)});
}

void CallScript::Clear()
{
    std::lock_guard<std::mutex> lock(mutex);
    rules.clear();
}

HRESULT CallScript::AnswerFor(const CallRecord& call)
{
    std::lock_guard<std::mutex> lock(mutex);
    for (auto rule = rules.rbegin(); rule != rules.rend(); ++rule) {
        if (rule->remaining == 0 || rule->method != call.method ||
            !ObjectMatches(rule->object, call.object) || (rule->when && !rule->when(call)))
            continue;
        if (rule->remaining > 0)
            --rule->remaining;
        return rule->code;
    }
    return S_OK;
}
