#pragma once

// The tests' side of the web stand-in (tools/webstub): its address, route set-up and the
// requests it received. It talks WinHTTP, independent of the WinINet code under test.

#include <string>

namespace scrutor::test {

class WebStub {
public:
    // Reads the port the CTest fixture's stand-in wrote; false when there is none.
    [[nodiscard]] bool Connect();
    // "http://127.0.0.1:port" + path
    [[nodiscard]] std::u16string Url(const std::string& path) const;
    // One route object or a JSON list of them; see tools/webstub/webstub.py.
    [[nodiscard]] bool AddRoutes(const std::string& json);
    // The requests received under a path prefix, in the stand-in's text form.
    [[nodiscard]] std::string Requests(const std::string& prefix);

private:
    [[nodiscard]] bool Send(const wchar_t* verb, const std::string& path, const std::string& body,
                            std::string& reply);

    int port_ = 0;
};

// A path under which only this test process has routes.
[[nodiscard]] std::string UniquePath(const std::string& name);

}  // namespace scrutor::test
