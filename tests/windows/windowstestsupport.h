#pragma once
// Support for the window tests: the fake services that the test entry
// installed for the whole run.

#include "platform/fake/fakeservices.h"

namespace tarvo::testsupport {

platform::TScopedFakeServices& Fakes();

} // namespace tarvo::testsupport
