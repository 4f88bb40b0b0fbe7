// Owners of OLE values: a BSTR and a VARIANT that free what they hold when they go.
#pragma once

#include <oleauto.h>

class OwnedBstr {
public:
    // A copy of the text with its length in front, as interfaces that take a BSTR read it; null
    // when there was no memory for it.
    explicit OwnedBstr(const wchar_t* text) : m_text(::SysAllocString(text)) {}
    ~OwnedBstr() { ::SysFreeString(m_text); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;

    BSTR Get() const { return m_text; }

private:
    BSTR m_text;
};

class OwnedVariant {
public:
    OwnedVariant() { ::VariantInit(&value); }
    ~OwnedVariant() { ::VariantClear(&value); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;

    VARIANT value;
};
