// A control object made the way the class factory makes one, owned through its IUnknown, with
// the C++ object at hand for the members a test reads.
#pragma once

#include <gtest/gtest.h>

#include <wrl/client.h>

#include "CorvaneCtrl.h"

struct OwnedControl
{
    CCorvaneCtrl* object = new CCorvaneCtrl();
    // Takes over the reference the object was born with.
    Microsoft::WRL::ComPtr<IUnknown> unknown = Adopt(object);

    template <class Interface> Microsoft::WRL::ComPtr<Interface> As() const
    {
        Microsoft::WRL::ComPtr<Interface> found;
        EXPECT_EQ(unknown.As(&found), S_OK);
        return found;
    }
    CCorvaneCtrl* operator->() const { return object; }

private:
    static Microsoft::WRL::ComPtr<IUnknown> Adopt(CCorvaneCtrl* made)
    {
        Microsoft::WRL::ComPtr<IUnknown> owner;
        *owner.GetAddressOf() = made->GetControllingUnknown();
        return owner;
    }
};
