#include "foundation/endpoints.h"

#include "foundation/registry_key.h"

namespace scrutor {

WideString ReadEndpoint(Endpoint endpoint, const char16_t* keyPath) {
    RegistryKey key;
    WideString value;
    if (key.OpenRead(keyPath)) (void)key.ReadString(EndpointValueName(endpoint), value);
    return EndpointUrl(endpoint, value);
}

WebEndpoints ReadWebEndpoints(const char16_t* keyPath) {
    return {ReadEndpoint(Endpoint::kSearch, keyPath), ReadEndpoint(Endpoint::kFileLibrary, keyPath),
            ReadEndpoint(Endpoint::kHelpSite, keyPath)};
}

}  // namespace scrutor
