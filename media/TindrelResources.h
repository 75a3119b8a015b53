#pragma once

// Identifiers of the resources compiled into the library.
#define IDI_MULTIMONITOR 100
