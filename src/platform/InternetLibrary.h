#pragma once
// WinInet, loaded when the web source first fetches.

#include <windows.h>
// After windows.h, which it needs.
#include <wininet.h>

namespace platform::wininet {

// Each throws SystemError naming the library and the function when they cannot be loaded.
BOOL HttpQueryInfoA(HINTERNET request, DWORD info, void* buffer, DWORD* size, DWORD* index);
HINTERNET HttpOpenRequestA(HINTERNET connection, const char* verb, const char* object,
                           const char* version, const char* referrer, const char** acceptTypes,
                           DWORD flags, DWORD_PTR context);
BOOL HttpSendRequestA(HINTERNET request, const char* headers, DWORD headersLength, void* optional,
                      DWORD optionalLength);
BOOL InternetCloseHandle(HINTERNET handle);
HINTERNET InternetConnectA(HINTERNET session, const char* host, INTERNET_PORT port,
                           const char* user, const char* password, DWORD service, DWORD flags,
                           DWORD_PTR context);
HINTERNET InternetOpenA(const char* agent, DWORD access, const char* proxy, const char* bypass,
                        DWORD flags);
BOOL InternetQueryDataAvailable(HINTERNET request, DWORD* available, DWORD flags,
                                DWORD_PTR context);
BOOL InternetQueryOptionA(HINTERNET handle, DWORD option, void* buffer, DWORD* length);
BOOL InternetReadFile(HINTERNET request, void* buffer, DWORD wanted, DWORD* read);
BOOL InternetSetOptionA(HINTERNET handle, DWORD option, void* buffer, DWORD length);

}  // namespace platform::wininet
