// The process-wide list of live fakes. While a FakePlatform exists, fakes whose count drops to
// 0 are kept (so a test can still inspect them and an over-release cannot crash); they are
// deleted when the platform goes away.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

class FakeObject;

class FakeRegistry
{
public:
    static std::string Add(FakeObject* fake, const std::string& kind);  // returns its name
    static void Remove(FakeObject* fake);

    static void BeginKeepAlive();  // also restarts the numbering of names
    static void EndKeepAlive();    // deletes every kept fake whose count is 0
    static bool KeepingAlive();

    static std::vector<FakeObject*> Live();
    static FakeObject* FindByName(const std::string& name);
    static size_t CountOfKind(const std::string& kind);

    // One line per live fake that is still referenced or was released too often; "" when none.
    static std::string ReferenceReport();

    template <class T> static T& Get(const std::string& name)
    {
        T* fake = dynamic_cast<T*>(FindByName(name));
        if (!fake)
            throw std::out_of_range("no fake named " + name);
        return *fake;
    }

    // The fake of class T behind an interface pointer that one of the fakes handed out.
    template <class T, class I> static T* FromInterface(I* pointer)
    {
        if (!pointer)
            return nullptr;
        for (FakeObject* fake : Live()) {
            T* candidate = dynamic_cast<T*>(fake);
            if (candidate && static_cast<I*>(candidate) == pointer)
                return candidate;
        }
        return nullptr;
    }
};
