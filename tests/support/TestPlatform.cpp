#include "support/TestPlatform.h"
