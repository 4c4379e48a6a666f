#include "foundation/endpoints.h"

#include "foundation/registry_key.h"

namespace scrutor {

WebEndpoints ReadWebEndpoints(const char16_t* keyPath) {
    RegistryKey key;
    const bool open = key.OpenRead(keyPath);
    const auto read = [&](Endpoint endpoint) {
        WideString value;
        if (open) (void)key.ReadString(EndpointValueName(endpoint), value);
        return EndpointUrl(endpoint, value);
    };
    return {read(Endpoint::kSearch), read(Endpoint::kFileLibrary), read(Endpoint::kHelpSite)};
}

}  // namespace scrutor
