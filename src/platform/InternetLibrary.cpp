#include "platform/InternetLibrary.h"

#include "platform/LazyLibrary.h"

namespace platform::wininet {

namespace {

constexpr char kName[] = "wininet.dll";

// The function's type is the system header's, so that no wrapper can pass a wrong argument.
template <typename Function>
Function Find(const char* name) {
  return LibraryNamed<kName>().Find<Function>(name);
}

}  // namespace

BOOL HttpQueryInfoA(HINTERNET request, DWORD info, void* buffer, DWORD* size, DWORD* index) {
  static const auto function = Find<decltype(&::HttpQueryInfoA)>("HttpQueryInfoA");
  return function(request, info, buffer, size, index);
}

HINTERNET HttpOpenRequestA(HINTERNET connection, const char* verb, const char* object,
                           const char* version, const char* referrer, const char** acceptTypes,
                           DWORD flags, DWORD_PTR context) {
  static const auto function = Find<decltype(&::HttpOpenRequestA)>("HttpOpenRequestA");
  return function(connection, verb, object, version, referrer, acceptTypes, flags, context);
}

BOOL HttpSendRequestA(HINTERNET request, const char* headers, DWORD headersLength, void* optional,
                      DWORD optionalLength) {
  static const auto function = Find<decltype(&::HttpSendRequestA)>("HttpSendRequestA");
  return function(request, headers, headersLength, optional, optionalLength);
}

BOOL InternetCloseHandle(HINTERNET handle) {
  static const auto function = Find<decltype(&::InternetCloseHandle)>("InternetCloseHandle");
  return function(handle);
}

HINTERNET InternetConnectA(HINTERNET session, const char* host, INTERNET_PORT port,
                           const char* user, const char* password, DWORD service, DWORD flags,
                           DWORD_PTR context) {
  static const auto function = Find<decltype(&::InternetConnectA)>("InternetConnectA");
  return function(session, host, port, user, password, service, flags, context);
}

HINTERNET InternetOpenA(const char* agent, DWORD access, const char* proxy, const char* bypass,
                        DWORD flags) {
  static const auto function = Find<decltype(&::InternetOpenA)>("InternetOpenA");
  return function(agent, access, proxy, bypass, flags);
}

BOOL InternetQueryDataAvailable(HINTERNET request, DWORD* available, DWORD flags,
                                DWORD_PTR context) {
  static const auto function =
      Find<decltype(&::InternetQueryDataAvailable)>("InternetQueryDataAvailable");
  return function(request, available, flags, context);
}

BOOL InternetQueryOptionA(HINTERNET handle, DWORD option, void* buffer, DWORD* length) {
  static const auto function = Find<decltype(&::InternetQueryOptionA)>("InternetQueryOptionA");
  return function(handle, option, buffer, length);
}

BOOL InternetReadFile(HINTERNET request, void* buffer, DWORD wanted, DWORD* read) {
  static const auto function = Find<decltype(&::InternetReadFile)>("InternetReadFile");
  return function(request, buffer, wanted, read);
}

BOOL InternetSetOptionA(HINTERNET handle, DWORD option, void* buffer, DWORD length) {
  static const auto function = Find<decltype(&::InternetSetOptionA)>("InternetSetOptionA");
  return function(handle, option, buffer, length);
}

}  // namespace platform::wininet
