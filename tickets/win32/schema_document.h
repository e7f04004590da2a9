// A PrintTicket or PrintCapabilities document of one call, as the provider reads and writes it
// through msxml: every look-up by XPath with our own prefixes, every name attribute resolved with
// the prefixes the document itself declares.
#pragma once

#include <windows.h>

#include <msxml2.h>

#include <map>
#include <string>

#include "platform/win32/unique_handle.h"
#include "tickets/ticket_mapping.h"

namespace adjustui::tickets::win32 {

using adjustui::win32::ComRef;

// A failed msxml call inside the provider; the COM boundary turns it into its result.
struct ComFailure {
    HRESULT hr;
};
inline void Check(HRESULT hr) {
    if (FAILED(hr))
        throw ComFailure{hr};
}

enum class Root : std::uint8_t { PrintTicket, PrintCapabilities };

class SchemaDocument {
  public:
    // Binds our XPath prefixes for the call, and gives the document its own selection
    // properties back at the end; a document whose root is not the framework's `root` fails with
    // E_INVALIDARG.
    SchemaDocument(IXMLDOMDocument2* document, Root root);
    SchemaDocument(const SchemaDocument&) = delete;
    SchemaDocument& operator=(const SchemaDocument&) = delete;

    // The features and parameter values of the ticket in our namespace, and the paper size when
    // the ticket chose one of ours; an option in another namespace reads as an empty name, which
    // no feature offers.
    TicketPart ReadTicket();
    // Replaces every feature and parameter value of ours with `part`, and the paper size's choice
    // when `part` names one of ours.
    void ReplaceTicket(const TicketPart& part);
    // Adds our features and parameter definitions, and the custom papers to psk:PageMediaSize.
    void AddCapabilities(const CapabilityAdditions& additions);

  private:
    // One selection property of the caller's document, given back as it was.
    class SavedProperty {
      public:
        SavedProperty(IXMLDOMDocument2* document, const wchar_t* name);
        ~SavedProperty();
        SavedProperty(const SavedProperty&) = delete;
        SavedProperty& operator=(const SavedProperty&) = delete;
        void Set(const wchar_t* value);

      private:
        IXMLDOMDocument2* document_;
        BSTR name_;
        VARIANT value_;
    };

    struct Name {
        std::wstring uri;
        std::wstring local;
    };
    // A QName of an attribute's value, resolved where `element` stands.
    Name Resolve(IXMLDOMNode* element, const std::wstring& qname);
    // The prefix the document binds to `uri` on its root; bound there when it has none.
    const std::wstring& PrefixOf(const std::wstring& uri, const wchar_t* preferred);
    std::wstring Q(const std::wstring& uri, std::u16string_view local);

    ComRef<IXMLDOMElement> NewElement(const wchar_t* local, const std::wstring& name);
    ComRef<IXMLDOMElement> Append(IXMLDOMNode* parent, const wchar_t* local,
                                  const std::wstring& name = {});
    void AppendValue(IXMLDOMNode* parent, const wchar_t* xsdType, std::u16string_view text);
    void AppendProperty(IXMLDOMNode* parent, const wchar_t* kind, const std::wstring& name,
                        const wchar_t* xsdType, std::u16string_view text);
    void AppendDisplayName(IXMLDOMNode* parent, std::u16string_view text);
    void AppendFeature(IXMLDOMNode* parent, const FeatureDef& feature);
    void AppendParameterDef(IXMLDOMNode* parent, const ParameterDef& parameter);
    ComRef<IXMLDOMNode> MediaSizeFeature();
    // Makes `option` of ours the ticket's only choice of psk:PageMediaSize.
    void ChooseMediaSize(std::u16string_view option);

    IXMLDOMDocument2* document_;
    SavedProperty language_;
    SavedProperty namespaces_;
    ComRef<IXMLDOMElement> root_;
    std::map<std::wstring, std::wstring> prefixes_;
};

}  // namespace adjustui::tickets::win32
