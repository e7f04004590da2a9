// Print-schema documents for the stand-in, the tools and the tests: msxml 6 documents (the
// platform's parser, also in wine) with the schema's prefixes bound for XPath.
#pragma once

#include <windows.h>

#include <msxml2.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace adjustui::winsupport {

using XmlDocument = win32::ComRef<IXMLDOMDocument2>;

// COM for the calling thread while the object lives.
class ComApartment {
  public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialized_;
};

// The document of `xml` with XPath and the prefixes psf, psk, xsi and xsd bound; empty when msxml
// cannot be made or the text is no well-formed XML.
XmlDocument ParseXml(std::wstring_view xml);

std::wstring XmlText(IXMLDOMDocument2* document);

// The text of every node the XPath selects, in document order.
std::vector<std::wstring> SelectTexts(IXMLDOMDocument2* document, std::wstring_view xpath);

}  // namespace adjustui::winsupport
