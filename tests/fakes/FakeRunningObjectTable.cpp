#include "fakes/FakeRunningObjectTable.h"

#include "fakes/FakeEnumerator.h"

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {
std::wstring DisplayNameOf(IMoniker* moniker)
{
    ComPtr<IBindCtx> context;
    LPOLESTR name = nullptr;
    if (FAILED(CreateBindCtx(0, &context)) || FAILED(moniker->GetDisplayName(context.Get(), nullptr, &name)))
        return L"";
    std::wstring text = name ? name : L"";
    CoTaskMemFree(name);
    return text;
}
}  // namespace

FakeRunningObjectTable::FakeRunningObjectTable() : FakeCom("rot") {}

void* FakeRunningObjectTable::FindInterface(REFIID iid)
{
    return Pick(iid, {{&IID_IRunningObjectTable, static_cast<IRunningObjectTable*>(this)}});
}

std::vector<std::wstring> FakeRunningObjectTable::DisplayNames() const
{
    std::vector<std::wstring> names;
    for (const Entry& entry : entries)
        names.push_back(entry.displayName);
    return names;
}

std::vector<FakeRunningObjectTable::Entry>::const_iterator
FakeRunningObjectTable::EntryNamed(IMoniker* name) const
{
    std::wstring wanted = name ? DisplayNameOf(name) : L"";
    return std::find_if(entries.begin(), entries.end(),
                        [&](const Entry& entry) { return name && entry.displayName == wanted; });
}

HRESULT FakeRunningObjectTable::Register(DWORD flags, IUnknown* object, IMoniker* name, DWORD* cookie)
{
    std::wstring displayName = name ? DisplayNameOf(name) : L"";
    HRESULT answer = Enter("IRunningObjectTable::Register",
                           Args(flags, object, displayName.c_str(), Out(cookie)));
    if (FAILED(answer))
        return answer;
    if (!object || !name || !cookie)
        return E_INVALIDARG;
    bool duplicate = EntryNamed(name) != entries.end();
    *cookie = nextCookie++;
    entries.push_back({*cookie, flags, object, name, displayName});
    return duplicate && answer == S_OK ? MK_S_MONIKERALREADYREGISTERED : answer;
}

HRESULT FakeRunningObjectTable::Revoke(DWORD cookie)
{
    HRESULT answer = Enter("IRunningObjectTable::Revoke", Args(cookie));
    if (FAILED(answer))
        return answer;
    auto entry = std::find_if(entries.begin(), entries.end(),
                              [&](const Entry& e) { return e.cookie == cookie; });
    if (entry == entries.end())
        return E_INVALIDARG;
    entries.erase(entry);
    return answer;
}

HRESULT FakeRunningObjectTable::IsRunning(IMoniker* name)
{
    HRESULT answer = Enter("IRunningObjectTable::IsRunning", Args(name));
    if (FAILED(answer))
        return answer;
    return EntryNamed(name) != entries.end() ? answer : S_FALSE;
}

HRESULT FakeRunningObjectTable::GetObject(IMoniker* name, IUnknown** object)
{
    HRESULT answer = Enter("IRunningObjectTable::GetObject", Args(name, Out(object)));
    if (FAILED(answer))
        return answer;
    if (!object)
        return E_POINTER;
    *object = nullptr;
    auto entry = EntryNamed(name);
    if (entry == entries.end())
        return MK_E_UNAVAILABLE;
    entry->object.CopyTo(object);
    return answer;
}

HRESULT FakeRunningObjectTable::NoteChangeTime(DWORD cookie, FILETIME* time)
{
    return Enter("IRunningObjectTable::NoteChangeTime", Args(cookie, time));
}

HRESULT FakeRunningObjectTable::GetTimeOfLastChange(IMoniker* name, FILETIME* time)
{
    Enter("IRunningObjectTable::GetTimeOfLastChange", Args(name, Out(time)));
    return MK_E_UNAVAILABLE;
}

HRESULT FakeRunningObjectTable::EnumRunning(IEnumMoniker** monikers)
{
    HRESULT answer = Enter("IRunningObjectTable::EnumRunning", Args(Out(monikers)));
    if (FAILED(answer))
        return answer;
    if (!monikers)
        return E_POINTER;
    std::vector<ComPtr<IMoniker>> snapshot;
    for (const Entry& entry : entries)
        snapshot.push_back(entry.moniker);
    *monikers = new FakeEnumerator<IEnumMoniker, IMoniker>(Name(), "IEnumMoniker", std::move(snapshot));
    (*monikers)->AddRef();
    return answer;
}
