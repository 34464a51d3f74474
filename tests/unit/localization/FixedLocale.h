// A user-interface language and user locale chosen by the test.
#pragma once

#include "platform/core/Locale.h"
#include "platform/core/Services.h"

class FixedLocale : public platform::ILocale {
public:
    explicit FixedLocale(platform::LANGID uiLanguage, platform::LANGID localeLanguage = 1033)
        : m_ui(uiLanguage), m_locale(localeLanguage), m_use(*this) {}
    platform::LANGID UserInterfaceLanguage() override { return m_ui; }
    platform::LANGID UserLocaleLanguage() override { return m_locale; }

private:
    platform::LANGID m_ui;
    platform::LANGID m_locale;
    platform::ScopedService<platform::ILocale> m_use;
};
