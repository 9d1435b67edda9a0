// Scripted answers for fake platform calls: "method M (on object O) answers hr, always or the
// next N times". A failure code makes the fake return it without doing anything; a success code
// other than S_OK (S_FALSE, VFW_S_PARTIAL_RENDER, ...) lets the fake do its work and then
// return that code instead of its own.
#pragma once

#include "fakes/CallLog.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

class CallScript
{
public:
    using Condition = std::function<bool(const CallRecord&)>;
    static constexpr int kAlways = -1;

    static CallScript& Instance();

    void Fail(const std::string& method, HRESULT code, const std::string& object = "");
    void FailNext(const std::string& method, HRESULT code, int times = 1,
                  const std::string& object = "");
    // Answers `code` only for calls that satisfy `when` (e.g. a given stream number).
    void FailWhen(const std::string& method, HRESULT code, Condition when, int times = kAlways,
                  const std::string& object = "");
    void Clear();

    // The answer scripted for this call, S_OK when none; consumes one use of a counted rule.
    // The rule added last wins, so a test can override a standing rule for a few calls.
    HRESULT AnswerFor(const CallRecord& call);

private:
    struct Rule
    {
        std::string method;
        std::string object;
        HRESULT code;
        int remaining;
        Condition when;
    };
    std::mutex mutex;
    std::vector<Rule> rules;
};
