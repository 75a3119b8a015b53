#pragma once

#ifdef SABRUN_BUILD
#define SABRUN_API __declspec(dllexport)
#else
#define SABRUN_API __declspec(dllimport)
#endif
