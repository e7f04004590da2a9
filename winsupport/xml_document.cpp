#include "winsupport/xml_document.h"

#include <oleauto.h>

namespace adjustui::winsupport {
namespace {

// mingw-w64 declares neither msxml 6's class nor defines the document's interface id.
constexpr CLSID kCLSID_DOMDocument60 = {
    0x88D96A05, 0xF192, 0x11D4, {0xA6, 0x5F, 0x00, 0x40, 0x96, 0x32, 0x51, 0xE5}};
constexpr IID kIID_IXMLDOMDocument2 = {
    0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

constexpr wchar_t kNamespaces[] =
    L"xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework' "
    L"xmlns:psk='http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords' "
    L"xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' "
    L"xmlns:xsd='http://www.w3.org/2001/XMLSchema'";

struct OwnedBstr {
    BSTR b;
    explicit OwnedBstr(std::wstring_view text)
        : b(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    OwnedBstr() : b(nullptr) {}
    ~OwnedBstr() { SysFreeString(b); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
    std::wstring text() const { return b != nullptr ? std::wstring(b, SysStringLen(b)) : L""; }
};

bool SetProperty(IXMLDOMDocument2* document, const wchar_t* name, const wchar_t* value) {
    OwnedBstr property(name);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(value);
    const HRESULT hr = document->setProperty(property.b, v);
    VariantClear(&v);
    return SUCCEEDED(hr);
}

}  // namespace

XmlDocument ParseXml(std::wstring_view xml) {
    XmlDocument document;
    if (FAILED(CoCreateInstance(kCLSID_DOMDocument60, nullptr, CLSCTX_INPROC_SERVER,
                                kIID_IXMLDOMDocument2, document.put()))) {
        return {};
    }
    OwnedBstr text(xml);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    // parseError says nothing under wine: loadXML's own answer is the one to trust.
    if (document->loadXML(text.b, &loaded) != S_OK || loaded != VARIANT_TRUE ||
        !SetProperty(document.get(), L"SelectionLanguage", L"XPath") ||
        !SetProperty(document.get(), L"SelectionNamespaces", kNamespaces)) {
        return {};
    }
    return document;
}

std::wstring XmlText(IXMLDOMDocument2* document) {
    OwnedBstr xml;
    if (document == nullptr || FAILED(document->get_xml(&xml.b))) {
        return {};
    }
    return xml.text();
}

std::vector<std::wstring> SelectTexts(IXMLDOMDocument2* document, std::wstring_view xpath) {
    std::vector<std::wstring> texts;
    win32::ComRef<IXMLDOMNodeList> list;
    OwnedBstr query(xpath);
    if (document == nullptr || document->selectNodes(query.b, list.put()) != S_OK) {
        return texts;
    }
    for (;;) {
        win32::ComRef<IXMLDOMNode> node;
        if (list->nextNode(node.put()) != S_OK || !node) {
            return texts;
        }
        OwnedBstr text;
        node->get_text(&text.b);
        texts.push_back(text.text());
    }
}

}  // namespace adjustui::winsupport
