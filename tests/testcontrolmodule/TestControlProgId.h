// The name the test control module registers its control under.
#pragma once

constexpr wchar_t kTestControlProgId[] = L"Corvane.FrameworkTestControl.1";
