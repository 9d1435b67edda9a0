#include "fakes/FakeObject.h"

#include "fakes/CallScript.h"
#include "fakes/FakeRegistry.h"

#include <algorithm>

FakeObject::FakeObject(const std::string& kindName)
    : kind(kindName), name(FakeRegistry::Add(this, kindName))
{
}

FakeObject::~FakeObject() { FakeRegistry::Remove(this); }

void FakeObject::Hide(REFIID iid)
{
    std::lock_guard<std::mutex> lock(hiddenMutex);
    hidden.push_back(iid);
}

void FakeObject::Unhide(REFIID iid)
{
    std::lock_guard<std::mutex> lock(hiddenMutex);
    hidden.erase(std::remove_if(hidden.begin(), hidden.end(),
                                [&](const IID& h) { return IsEqualIID(h, iid); }),
                 hidden.end());
}

bool FakeObject::IsHidden(REFIID iid) const
{
    std::lock_guard<std::mutex> lock(hiddenMutex);
    return std::any_of(hidden.begin(), hidden.end(),
                       [&](const IID& h) { return IsEqualIID(h, iid); });
}

HRESULT FakeObject::Enter(const char* method, std::vector<std::string> args)
{
    return Enter(CallRecord{name, method, std::move(args), {}});
}

HRESULT FakeObject::Enter(const CallRecord& call)
{
    CallLog::Instance().Record(call);
    return CallScript::Instance().AnswerFor(call);
}

ULONG FakeObject::AddRefCount() { return ++refs; }

ULONG FakeObject::ReleaseCount()
{
    ULONG current = refs.load();
    do {
        if (current == 0) {
            ++overReleases;
            return 0;
        }
    } while (!refs.compare_exchange_weak(current, current - 1));
    if (current - 1 > 0)
        return current - 1;
    OnFinalRelease();
    if (!FakeRegistry::KeepingAlive())
        delete this;
    return 0;
}

HRESULT FakeObject::QueryWith(REFIID iid, void** out, void* found)
{
    HRESULT answer = Enter("IUnknown::QueryInterface", Args(iid, Out(out)));
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (FAILED(answer))
        return answer;
    if (!found || IsHidden(iid))
        return E_NOINTERFACE;
    AddRefCount();
    *out = found;
    return S_OK;
}

void* FakeObject::Pick(REFIID iid, std::initializer_list<Offer> offers)
{
    for (const Offer& offer : offers)
        if (IsEqualIID(*offer.first, iid))
            return offer.second;
    return nullptr;
}
