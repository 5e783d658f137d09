#pragma once

#include "support/message_recorder.h"

namespace money::test {

// What the widget tests' application object showed in its standard error box.
MessageRecorder& ApplicationErrors();

}  // namespace money::test
