// Where self-registration writes: the machine's classes, or the current user's own
// (HKEY_CURRENT_USER\Software\Classes), which needs no administrator.
#pragma once

#include <windows.h>

enum class RegistrationScope
{
    Machine,
    CurrentUser,
};

// The key class entries go under for a scope: HKEY_CLASSES_ROOT itself, or the user's classes
// key opened (created when missing) for as long as this object lives.
class ClassesRootKey
{
public:
    explicit ClassesRootKey(RegistrationScope scope);
    ~ClassesRootKey();
    ClassesRootKey(const ClassesRootKey&) = delete;
    ClassesRootKey& operator=(const ClassesRootKey&) = delete;

    // Null when the user's classes key could not be opened.
    HKEY Get() const { return key; }

private:
    HKEY key = nullptr;
    bool owned = false;
};
