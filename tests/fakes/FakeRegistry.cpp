#include "fakes/FakeRegistry.h"

#include "fakes/FakeObject.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace {
struct RegistryState
{
    std::recursive_mutex mutex;
    std::vector<FakeObject*> live;
    std::map<std::string, int> madeOfKind;
    int keepAliveDepth = 0;
};

RegistryState& State()
{
    static RegistryState state;
    return state;
}
}  // namespace

std::string FakeRegistry::Add(FakeObject* fake, const std::string& kind)
{
    RegistryState& state = State();
    std::lock_guard<std::recursive_mutex> lock(state.mutex);
    state.live.push_back(fake);
    return kind + std::to_string(state.madeOfKind[kind]++);
}

void FakeRegistry::Remove(FakeObject* fake)
{
    RegistryState& state = State();
    std::lock_guard<std::recursive_mutex> lock(state.mutex);
    state.live.erase(std::remove(state.live.begin(), state.live.end(), fake), state.live.end());
}

void FakeRegistry::BeginKeepAlive()
{
    RegistryState& state = State();
    std::lock_guard<std::recursive_mutex> lock(state.mutex);
    if (state.keepAliveDepth++ == 0)
        state.madeOfKind.clear();
}

void FakeRegistry::EndKeepAlive()
{
    RegistryState& state = State();
    std::lock_guard<std::recursive_mutex> lock(state.mutex);
    if (--state.keepAliveDepth > 0)
        return;
    // Collected first: deleting a filter deletes its pins, which are in the list as well.
    std::vector<FakeObject*> unreferenced;
    for (FakeObject* fake : state.live)
        if (fake->RefCount() == 0 && !fake->OwnedByAnother())
            unreferenced.push_back(fake);
    for (FakeObject* fake : unreferenced)
        delete fake;
}

bool FakeRegistry::KeepingAlive()
{
    RegistryState& state = State();
    std::lock_guard<std::recursive_mutex> lock(state.mutex);
    return state.keepAliveDepth > 0;
}

std::vector<FakeObject*> FakeRegistry::Live()
{
    RegistryState& state = State();
    std::lock_guard<std::recursive_mutex> lock(state.mutex);
    return state.live;
}

FakeObject* FakeRegistry::FindByName(const std::string& name)
{
    for (FakeObject* fake : Live())
        if (fake->Name() == name)
            return fake;
    return nullptr;
}

size_t FakeRegistry::CountOfKind(const std::string& kind)
{
    std::vector<FakeObject*> live = Live();
    return std::count_if(live.begin(), live.end(),
                         [&](FakeObject* fake) { return fake->Kind() == kind; });
}

std::string FakeRegistry::ReferenceReport()
{
    std::string report;
    for (FakeObject* fake : Live()) {
        if (fake->RefCount() != 0)
            report += fake->Name() + " still has " + std::to_string(fake->RefCount()) +
                      " reference(s)\n";
        if (fake->OverReleases() != 0)
            report += fake->Name() + " was released " + std::to_string(fake->OverReleases()) +
                      " time(s) too often\n";
    }
    return report;
}
