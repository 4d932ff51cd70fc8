/* Exports: the five functions libqx31.so exports to the host, with C
 * linkage and undecorated names, and the types of pointers to them for a
 * host that resolves them by name (qxhost does, with dlsym).
 *
 * Texts are NUL-terminated byte strings in the system code page. The
 * one-byte boolean of the transfers is 0 when the operation completed and 1
 * when it failed. No call lets an exception or an abort escape: an internal
 * failure gives the failure value (1 for the transfers, nothing otherwise). */
#pragma once

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define QX_STDCALL __stdcall
#else
#define QX_STDCALL
#endif

#if defined(_WIN32)
#define QX_EXPORT __declspec(dllexport)
#else
#define QX_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the configurator window for the module at position ("13", "111",
 * "SLOT13") of the project basePath (its path without extension). unused is
 * accepted and ignored; language is a Windows language id (0x0404
 * traditional, 0x0804 simplified Chinese, anything else English). */
QX_EXPORT void QX_STDCALL ShowDialog_31QX(const char* basePath, const char* position, int32_t unused,
                                          uint32_t language, uint32_t firmwareVersion);

/* Moves the parameters of the module at position ("00": every module of this
 * type in rack 1) from the devices into the project, or from the project
 * into the devices, through the host's communication manager listening on
 * port. 0: completed; 1: failed. */
QX_EXPORT unsigned char QX_STDCALL Upload_31QX(const char* basePath, const char* position, int32_t port);
QX_EXPORT unsigned char QX_STDCALL Download_31QX(const char* basePath, const char* position, int32_t port);

/* The host's limits on the local offsets of the data-exchange table; they
 * replace the module description's limits while both are set. */
QX_EXPORT void QX_STDCALL SetDataExchangeLenMax_31QX(int32_t readMax, int32_t writeMax);
QX_EXPORT void QX_STDCALL ClearDataExchangeLenMax_31QX(void);

typedef void(QX_STDCALL* ShowDialog31QxFn)(const char*, const char*, int32_t, uint32_t, uint32_t);
typedef unsigned char(QX_STDCALL* Transfer31QxFn)(const char*, const char*, int32_t);
typedef void(QX_STDCALL* SetLenMax31QxFn)(int32_t, int32_t);
typedef void(QX_STDCALL* ClearLenMax31QxFn)(void);

#ifdef __cplusplus
}
#endif
