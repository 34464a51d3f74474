// Process-wide registry of platform services.
//
// Each service is an interface with a static Default() that returns the Linux implementation and
// a kServiceName. Code asks for the current one with platform::Use<IService>(); a test installs
// another for a scope with platform::ScopedService<IService>. The slots live in the platform's
// shared library and are found by name, so an override reaches every module of the process
// whatever symbols those modules export.
#pragma once

#include <string_view>

namespace platform {

// The slot of one service: null while the default is in use.
void*& ServiceSlot(std::string_view serviceName);

template <class Service>
Service& Use()
{
    void* current = ServiceSlot(Service::kServiceName);
    return current ? *static_cast<Service*>(current) : Service::Default();
}

template <class Service>
class ScopedService {
public:
    explicit ScopedService(Service& replacement) : m_previous(ServiceSlot(Service::kServiceName))
    {
        ServiceSlot(Service::kServiceName) = &replacement;
    }
    ~ScopedService() { ServiceSlot(Service::kServiceName) = m_previous; }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    void* m_previous;
};

} // namespace platform
