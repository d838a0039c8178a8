#pragma once
// Attaches an interface id to an interface type so that __uuidof (and ComPtr::As) find it.
// CORVANE_DECLARE_UUID(Type, "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", l, w1, w2, b1, ..., b8)
#include <windows.h>

#if defined(_MSC_VER)
#define CORVANE_DECLARE_UUID(type, text, ...) struct __declspec(uuid(text)) type;
#else
#define CORVANE_DECLARE_UUID(type, text, ...) __CRT_UUID_DECL(type, __VA_ARGS__)
#endif
