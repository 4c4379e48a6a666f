#include "webstub_client.h"

#include <windows.h>

#include <winhttp.h>

#include "foundation/handles.h"
#include "test_support.h"

namespace scrutor::test {

bool WebStub::Connect() {
    const std::u16string folder = HostPathFromEnvironment("SCRUTOR_WEBSTUB_DIR");
    if (folder.empty()) return false;
    const std::string text = ReadFileBytes(folder + u"\\port");
    port_ = text.empty() ? 0 : std::atoi(text.c_str());
    return port_ > 0;
}

std::u16string WebStub::Url(const std::string& path) const {
    const std::string url = "http://127.0.0.1:" + std::to_string(port_) + path;
    return std::u16string(url.begin(), url.end());
}

bool WebStub::AddRoutes(const std::string& json) {
    std::string reply;
    return Send(L"POST", "/__stub/routes", json, reply) && reply == "ok";
}

std::string WebStub::Requests(const std::string& prefix) {
    std::string reply;
    if (!Send(L"GET", "/__stub/requests?format=text&prefix=" + prefix, "", reply)) return {};
    return reply;
}

bool WebStub::Send(const wchar_t* verb, const std::string& path, const std::string& body,
                   std::string& reply) {
    reply.clear();
    const WinHttpHandle session(WinHttpOpen(L"scrutor-tests", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                            WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    const WinHttpHandle connection(
        session ? WinHttpConnect(session.Get(), L"127.0.0.1", static_cast<INTERNET_PORT>(port_), 0)
                : nullptr);
    const std::wstring widePath(path.begin(), path.end());
    const WinHttpHandle request(connection
                                    ? WinHttpOpenRequest(connection.Get(), verb, widePath.c_str(),
                                                         nullptr, nullptr, nullptr, 0)
                                    : nullptr);
    if (!request) return false;
    void* data = body.empty() ? nullptr : const_cast<char*>(body.data());
    const auto size = static_cast<DWORD>(body.size());
    if (!WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, data, size, size, 0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr)) {
        return false;
    }
    char buffer[4096];
    DWORD read = 0;
    while (WinHttpReadData(request.Get(), buffer, sizeof buffer, &read) && read > 0) {
        reply.append(buffer, read);
    }
    return true;
}

std::string UniquePath(const std::string& name) {
    static int counter = 0;
    return "/t" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "/" +
           name;
}

}  // namespace scrutor::test
