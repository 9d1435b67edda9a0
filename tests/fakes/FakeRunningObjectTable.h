// A fake running object table: registrations hold the object and its moniker, as the real
// table does, until they are revoked, whoever still holds the table itself (it stands for a
// system-wide table). Tests read the entries and their display names.
#pragma once

#include "fakes/FakeObject.h"

#include <wrl/client.h>

class FakeRunningObjectTable final : public FakeCom<FakeObject, IRunningObjectTable>
{
public:
    struct Entry
    {
        DWORD cookie;
        DWORD flags;
        Microsoft::WRL::ComPtr<IUnknown> object;
        Microsoft::WRL::ComPtr<IMoniker> moniker;
        std::wstring displayName;
    };

    FakeRunningObjectTable();

    const std::vector<Entry>& Entries() const { return entries; }
    size_t Count() const { return entries.size(); }
    std::vector<std::wstring> DisplayNames() const;

    HRESULT STDMETHODCALLTYPE Register(DWORD flags, IUnknown* object, IMoniker* name,
                                       DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Revoke(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE IsRunning(IMoniker* name) override;
    HRESULT STDMETHODCALLTYPE GetObject(IMoniker* name, IUnknown** object) override;
    HRESULT STDMETHODCALLTYPE NoteChangeTime(DWORD cookie, FILETIME* time) override;
    HRESULT STDMETHODCALLTYPE GetTimeOfLastChange(IMoniker* name, FILETIME* time) override;
    HRESULT STDMETHODCALLTYPE EnumRunning(IEnumMoniker** monikers) override;

private:
    void* FindInterface(REFIID iid) override;
    std::vector<Entry>::const_iterator EntryNamed(IMoniker* name) const;

    std::vector<Entry> entries;
    DWORD nextCookie = 1;
};
