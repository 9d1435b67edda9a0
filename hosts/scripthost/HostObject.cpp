#include "HostObject.h"

#include "ConsoleOutput.h"
#include "NamedEventSink.h"
#include "ScriptEventHandler.h"
#include "SourceConnection.h"

#include <olectl.h>

#include <new>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

enum HostMember : DISPID { kEcho = 1, kCreateControl = 2, kQuit = 3, kPlaceControl = 4, kWait = 5, kClick = 6 };

struct HostMemberName
{
    const wchar_t* name;
    DISPID dispid;
};

constexpr HostMemberName kHostMembers[] = {{L"Echo", kEcho},   {L"CreateControl", kCreateControl},
                                           {L"Quit", kQuit},   {L"PlaceControl", kPlaceControl},
                                           {L"Wait", kWait},   {L"Click", kClick}};
constexpr int kPlacedWidth = 320;
constexpr int kPlacedHeight = 240;

// Argument `index` in call order (DISPPARAMS holds them last first).
VARIANT& Argument(const DISPPARAMS& parameters, UINT index)
{
    return parameters.rgvarg[parameters.cArgs - 1 - index];
}

bool LongOf(VARIANT& value, LONG& number)
{
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &value, 0, VT_I4)))
        return false;
    number = V_I4(&converted);
    return true;
}

bool TextOf(VARIANT& value, std::wstring& text)
{
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &value, VARIANT_ALPHABOOL, VT_BSTR)))
        return false;
    text.assign(V_BSTR(&converted), SysStringLen(V_BSTR(&converted)));
    VariantClear(&converted);
    return true;
}

HRESULT Fail(EXCEPINFO* exception, const std::wstring& description, HRESULT code)
{
    if (!exception)
        return code;
    *exception = {};
    exception->bstrSource = SysAllocString(L"Host");
    exception->bstrDescription = SysAllocString(description.c_str());
    exception->scode = code;
    return DISP_E_EXCEPTION;
}

std::wstring HexCode(HRESULT hr)
{
    wchar_t text[16];
    wsprintfW(text, L"0x%08x", static_cast<unsigned>(hr));
    return text;
}

} // namespace

CHostObject::CHostObject(CScriptSession& session) : session(session) {}

bool CHostObject::IsOffered(REFIID iid) const
{
    return iid == IID_IDispatch;
}

STDMETHODIMP CHostObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* dispids)
{
    if (!names || !dispids || count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        dispids[i] = DISPID_UNKNOWN;
    for (const HostMemberName& member : kHostMembers)
        if (lstrcmpiW(member.name, names[0]) == 0)
            dispids[0] = member.dispid;
    // Named arguments are not supported.
    return dispids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CHostObject::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                 EXCEPINFO* exception, UINT*)
{
    if (!parameters)
        return E_POINTER;
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
        return DISP_E_MEMBERNOTFOUND;
    if (parameters->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    if (result)
        VariantInit(result);
    return WithoutThrowing([&]() -> HRESULT {
        switch (dispid) {
        case kEcho:
            return Echo(*parameters);
        case kCreateControl:
            return CreateControl(*parameters, result, exception, false);
        case kPlaceControl:
            return CreateControl(*parameters, result, exception, true);
        case kWait:
            return Wait(*parameters);
        case kClick:
            return Click(*parameters);
        case kQuit:
            return Quit(*parameters);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    });
}

HRESULT CHostObject::Echo(const DISPPARAMS& parameters)
{
    std::wstring line;
    for (UINT i = 0; i < parameters.cArgs; ++i) {
        std::wstring text;
        if (!TextOf(Argument(parameters, i), text))
            return DISP_E_TYPEMISMATCH;
        if (i > 0)
            line += L' ';
        line += text;
    }
    WriteOutputLine(line);
    return S_OK;
}

HRESULT CHostObject::CreateControl(const DISPPARAMS& parameters, VARIANT* result, EXCEPINFO* exception, bool placed)
{
    if (parameters.cArgs < 1 || parameters.cArgs > 2)
        return DISP_E_BADPARAMCOUNT;
    std::wstring progId;
    std::wstring prefix;
    if (!TextOf(Argument(parameters, 0), progId) || (parameters.cArgs == 2 && !TextOf(Argument(parameters, 1), prefix)))
        return DISP_E_TYPEMISMATCH;

    CLSID classId = {};
    HRESULT hr = CLSIDFromProgID(progId.c_str(), &classId);
    ComPtr<IUnknown> object;
    if (SUCCEEDED(hr) && placed) {
        containers.push_back(std::make_unique<CControlContainer>());
        hr = containers.back()->Place(progId, kPlacedWidth, kPlacedHeight, &object);
    } else if (SUCCEEDED(hr)) {
        hr = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
    }
    if (FAILED(hr))
        return Fail(exception, L"Cannot create '" + progId + L"' (" + HexCode(hr) + L")", hr);
    if (!prefix.empty()) {
        hr = ConnectEvents(object.Get(), prefix);
        if (FAILED(hr))
            return Fail(exception, L"Cannot connect the events of '" + progId + L"' (" + HexCode(hr) + L")", hr);
    }
    if (result) {
        ComPtr<IDispatch> dispatch;
        if (SUCCEEDED(object.As(&dispatch))) {
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = dispatch.Detach();
        } else {
            V_VT(result) = VT_UNKNOWN;
            V_UNKNOWN(result) = object.Detach();
        }
    }
    return S_OK;
}

HRESULT CHostObject::ConnectEvents(IUnknown* object, const std::wstring& prefix)
{
    SourceConnection found;
    HRESULT hr = FindSourceConnection(object, found);
    if (FAILED(hr))
        return hr;
    ComPtr<IDispatch> sink;
    CScriptSession& target = session;
    sink.Attach(new (std::nothrow) CNamedEventSink(found.source, found.events.Get(),
                                                   [&target, prefix](const std::wstring& name, DISPPARAMS* parameters) {
                                                       CallScriptEventHandler(target, prefix + name, parameters);
                                                   }));
    if (!sink)
        return E_OUTOFMEMORY;
    DWORD cookie = 0;
    hr = found.point->Advise(sink.Get(), &cookie);
    if (FAILED(hr))
        return hr;
    session.KeepConnection(found.point.Get(), cookie);
    return S_OK;
}

HRESULT CHostObject::Wait(const DISPPARAMS& parameters)
{
    LONG milliseconds = 0;
    if (parameters.cArgs != 1)
        return DISP_E_BADPARAMCOUNT;
    if (!LongOf(Argument(parameters, 0), milliseconds) || milliseconds < 0)
        return DISP_E_TYPEMISMATCH;
    CControlContainer::PumpMessages(static_cast<DWORD>(milliseconds));
    return S_OK;
}

HRESULT CHostObject::Click(const DISPPARAMS& parameters)
{
    LONG x = 0, y = 0;
    if (parameters.cArgs != 2)
        return DISP_E_BADPARAMCOUNT;
    if (!LongOf(Argument(parameters, 0), x) || !LongOf(Argument(parameters, 1), y))
        return DISP_E_TYPEMISMATCH;
    return containers.empty() ? E_UNEXPECTED : containers.back()->Click(x, y);
}

HRESULT CHostObject::Quit(const DISPPARAMS& parameters)
{
    LONG code = 0;
    if (parameters.cArgs > 1)
        return DISP_E_BADPARAMCOUNT;
    if (parameters.cArgs == 1 && !LongOf(Argument(parameters, 0), code))
        return DISP_E_TYPEMISMATCH;
    session.RequestQuit(static_cast<int>(code));
    // Stops the script: the engine reports this error, and the site knows it was a Quit.
    return E_ABORT;
}
