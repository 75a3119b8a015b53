#pragma once

#ifdef VCL_BUILD
#define VCL_API __declspec(dllexport)
#else
#define VCL_API __declspec(dllimport)
#endif
