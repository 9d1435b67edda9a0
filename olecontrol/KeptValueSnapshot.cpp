#include "KeptValueSnapshot.h"

#include "PropExchange.h"

namespace {

// Passes over every item without touching it, except the kept-on-reset values.
class CKeptValueExchange final : public CPropExchange
{
public:
    CKeptValueExchange(Direction direction, std::vector<LONG>& values) : CPropExchange(direction), values(values) {}

    bool ExchangeULong(const char*, ULONG&, ULONG) override { return true; }
    bool ExchangeLong(const char*, LONG&, LONG) override { return true; }
    bool ExchangeShort(const char*, SHORT&, SHORT) override { return true; }
    bool ExchangeBool(const char*, BOOL&, BOOL) override { return true; }
    bool ExchangeColor(const char*, OLE_COLOR&, OLE_COLOR) override { return true; }
    bool ExchangeString(const char*, std::string&, const char*) override { return true; }
    bool ExchangeObject(const char*, Microsoft::WRL::ComPtr<IUnknown>&, REFIID, IUnknown*) override { return true; }

    bool ExchangeLongKeptOnReset(const char*, LONG& value) override
    {
        if (IsSaving()) {
            values.push_back(value);
        } else if (next < values.size()) {
            value = values[next++];
        }
        return true;
    }

private:
    std::vector<LONG>& values;
    size_t next = 0;
};

} // namespace

CKeptValueSnapshot::CKeptValueSnapshot(CPersistentObject& object)
{
    CKeptValueExchange capture(CPropExchange::Direction::Save, values);
    try {
        object.DoPropExchange(capture);
    } catch (...) {
        values.clear();
    }
}

void CKeptValueSnapshot::Restore(CPersistentObject& object) const
{
    std::vector<LONG> copy = values;
    CKeptValueExchange restore(CPropExchange::Direction::Load, copy);
    try {
        object.DoPropExchange(restore);
    } catch (...) {
        // Nothing more can be put back.
    }
}
