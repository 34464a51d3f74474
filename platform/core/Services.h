// Process-wide registry of platform services.
//
// Each service is an interface with a static Default() that returns the Linux implementation.
// Code asks for the current one with platform::Use<IService>(); a test installs another for a
// scope with platform::ScopedService<IService>. The registry lives in the platform's shared
// library, so an override reaches every module of the process.
#pragma once

namespace platform {

template <class Service>
Service*& ServiceSlot()
{
    static Service* current = nullptr;
    return current;
}

template <class Service>
Service& Use()
{
    Service* current = ServiceSlot<Service>();
    return current ? *current : Service::Default();
}

template <class Service>
class ScopedService {
public:
    explicit ScopedService(Service& replacement) : m_previous(ServiceSlot<Service>())
    {
        ServiceSlot<Service>() = &replacement;
    }
    ~ScopedService() { ServiceSlot<Service>() = m_previous; }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Service* m_previous;
};

} // namespace platform
