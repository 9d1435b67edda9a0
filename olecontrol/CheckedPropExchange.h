// Base of the concrete exchanges: remembers the first failing item, because the control's
// exchange routine may ignore the result of a single call.
#pragma once

#include "PropExchange.h"

class CCheckedPropExchange : public CPropExchange
{
public:
    using CPropExchange::CPropExchange;

    bool Succeeded() const { return !failed; }

protected:
    // Records the outcome of one item; once failed, the exchange stays failed.
    bool Check(bool itemSucceeded)
    {
        if (!itemSucceeded)
            failed = true;
        return itemSucceeded;
    }
    bool HasFailed() const { return failed; }

private:
    bool failed = false;
};
