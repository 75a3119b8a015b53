#pragma once

#ifdef TINDREL_BUILD
#define TINDREL_API __declspec(dllexport)
#else
#define TINDREL_API __declspec(dllimport)
#endif
