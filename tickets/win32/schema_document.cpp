#include "tickets/win32/schema_document.h"

#include <oleauto.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace adjustui::tickets::win32 {
namespace {

// msxml's interface ids: mingw-w64 declares them but no library defines them.
constexpr IID kIID_IXMLDOMElement = {
    0x2933BF86, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kIID_IXMLDOMAttribute = {
    0x2933BF85, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

constexpr wchar_t kFramework[] =
    L"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework";
constexpr wchar_t kKeywords[] =
    L"http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords";
constexpr wchar_t kSchemaInstance[] = L"http://www.w3.org/2001/XMLSchema-instance";
constexpr wchar_t kSchema[] = L"http://www.w3.org/2001/XMLSchema";

// Our XPath prefixes; the document's own may differ.
constexpr wchar_t kSelectionNamespaces[] =
    L"xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework'";
constexpr wchar_t kTicketFeatures[] = L"/psf:PrintTicket/psf:Feature";
constexpr wchar_t kTicketParameters[] = L"/psf:PrintTicket/psf:ParameterInit";
constexpr wchar_t kCapabilityFeatures[] = L"/psf:PrintCapabilities/psf:Feature";
constexpr wchar_t kChildOption[] = L"psf:Option";
constexpr wchar_t kChildValue[] = L"psf:Value";

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}
std::u16string Sixteen(std::wstring_view text) {
    return {text.begin(), text.end()};
}

const std::wstring& Ours() {
    static const std::wstring uri = Wide(kNamespaceUri);
    return uri;
}

// Another reference to the same object, as one of its base interfaces.
template <typename To, typename From>
ComRef<To> Share(From* object) {
    object->AddRef();
    return ComRef<To>(object);
}

class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text)
        : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
        if (b_ == nullptr)
            throw ComFailure{E_OUTOFMEMORY};
    }
    ~Bstr() { SysFreeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return b_; }
    BSTR* put() {
        SysFreeString(b_);
        b_ = nullptr;
        return &b_;
    }
    std::wstring text() const { return b_ != nullptr ? std::wstring(b_, SysStringLen(b_)) : L""; }

  private:
    BSTR b_ = nullptr;
};

class Variant {
  public:
    Variant() { VariantInit(&v_); }
    explicit Variant(std::wstring_view text) : Variant() {
        v_.vt = VT_BSTR;
        v_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (v_.bstrVal == nullptr)
            throw ComFailure{E_OUTOFMEMORY};
    }
    explicit Variant(LONG number) : Variant() {
        v_.vt = VT_I4;
        v_.lVal = number;
    }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT& get() { return v_; }
    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }

  private:
    VARIANT v_;
};

// The value of an attribute of `node`; nothing when it has none.
std::optional<std::wstring> Attribute(IXMLDOMNode* node, const wchar_t* name) {
    ComRef<IXMLDOMElement> element;
    if (FAILED(node->QueryInterface(kIID_IXMLDOMElement, element.put())))
        return std::nullopt;
    Variant value;
    if (element->getAttribute(Bstr(name).get(), value.put()) != S_OK || value.get().vt != VT_BSTR)
        return std::nullopt;
    return std::wstring(value.get().bstrVal, SysStringLen(value.get().bstrVal));
}

std::wstring TextOf(IXMLDOMNode* node) {
    Bstr text;
    Check(node->get_text(text.put()));
    return text.text();
}

// The namespace declarations of an element, as name and value ("xmlns:p", uri). Read from the
// attribute list by index: wine's getAttribute and its attribute enumeration miss declarations.
std::vector<std::pair<std::wstring, std::wstring>> Declarations(IXMLDOMNode* node) {
    std::vector<std::pair<std::wstring, std::wstring>> declarations;
    ComRef<IXMLDOMNamedNodeMap> attributes;
    long count = 0;
    if (node->get_attributes(attributes.put()) != S_OK || !attributes ||
        FAILED(attributes->get_length(&count)))
        return declarations;
    for (long i = 0; i < count; ++i) {
        ComRef<IXMLDOMNode> attribute;
        Bstr name;
        if (attributes->get_item(i, attribute.put()) != S_OK || !attribute ||
            FAILED(attribute->get_nodeName(name.put())))
            continue;
        const std::wstring declared = name.text();
        if (declared == L"xmlns" || declared.rfind(L"xmlns:", 0) == 0)
            declarations.emplace_back(declared, TextOf(attribute.get()));
    }
    return declarations;
}

std::vector<ComRef<IXMLDOMNode>> Select(IXMLDOMNode* from, const wchar_t* xpath) {
    ComRef<IXMLDOMNodeList> list;
    Check(from->selectNodes(Bstr(xpath).get(), list.put()));
    std::vector<ComRef<IXMLDOMNode>> nodes;
    for (;;) {
        ComRef<IXMLDOMNode> node;
        if (list->nextNode(node.put()) != S_OK || !node)
            return nodes;
        nodes.push_back(std::move(node));
    }
}

ComRef<IXMLDOMNode> SelectOne(IXMLDOMNode* from, const wchar_t* xpath) {
    ComRef<IXMLDOMNode> node;
    if (from->selectSingleNode(Bstr(xpath).get(), node.put()) != S_OK)
        return {};
    return node;
}

}  // namespace

SchemaDocument::SavedProperty::SavedProperty(IXMLDOMDocument2* document, const wchar_t* name)
    : document_(document), name_(SysAllocString(name)) {
    VariantInit(&value_);
    // A property the document cannot name stays empty and is not given back.
    if (name_ != nullptr)
        document_->getProperty(name_, &value_);
}

SchemaDocument::SavedProperty::~SavedProperty() {
    if (name_ != nullptr && value_.vt == VT_BSTR)
        document_->setProperty(name_, value_);
    VariantClear(&value_);
    SysFreeString(name_);
}

void SchemaDocument::SavedProperty::Set(const wchar_t* value) {
    if (name_ == nullptr)
        throw ComFailure{E_OUTOFMEMORY};
    Check(document_->setProperty(name_, Variant(value).get()));
}

SchemaDocument::SchemaDocument(IXMLDOMDocument2* document, Root root)
    : document_(document),
      language_(document, L"SelectionLanguage"),
      namespaces_(document, L"SelectionNamespaces") {
    Check(document_->get_documentElement(root_.put()));
    Bstr ns;
    Bstr local;
    if (!root_ || FAILED(root_->get_namespaceURI(ns.put())) ||
        FAILED(root_->get_baseName(local.put())) || ns.text() != kFramework ||
        local.text() != (root == Root::PrintTicket ? L"PrintTicket" : L"PrintCapabilities")) {
        throw ComFailure{E_INVALIDARG};
    }
    language_.Set(L"XPath");
    namespaces_.Set(kSelectionNamespaces);
}

SchemaDocument::Name SchemaDocument::Resolve(IXMLDOMNode* element, const std::wstring& qname) {
    const auto colon = qname.find(L':');
    const std::wstring prefix = colon == std::wstring::npos ? L"" : qname.substr(0, colon);
    const std::wstring local = colon == std::wstring::npos ? qname : qname.substr(colon + 1);
    const std::wstring declaration = prefix.empty() ? L"xmlns" : L"xmlns:" + prefix;
    // The nearest declaration of the prefix, from the element up to the root.
    ComRef<IXMLDOMNode> node = Share<IXMLDOMNode>(element);
    while (node) {
        for (const auto& [declared, uri] : Declarations(node.get())) {
            if (declared == declaration)
                return {uri, local};
        }
        ComRef<IXMLDOMNode> parent;
        if (node->get_parentNode(parent.put()) != S_OK)
            break;
        node = std::move(parent);
    }
    return {L"", local};
}

const std::wstring& SchemaDocument::PrefixOf(const std::wstring& uri, const wchar_t* preferred) {
    if (const auto known = prefixes_.find(uri); known != prefixes_.end())
        return known->second;
    std::vector<std::wstring> taken;
    for (const auto& [declared, bound] : Declarations(root_.get())) {
        if (declared == L"xmlns")
            continue;
        const std::wstring prefix = declared.substr(6);
        if (bound == uri)
            return prefixes_[uri] = prefix;
        taken.push_back(prefix);
    }
    std::wstring prefix = preferred;
    for (int n = 1; std::find(taken.begin(), taken.end(), prefix) != taken.end(); ++n)
        prefix = preferred + std::to_wstring(n);
    Check(root_->setAttribute(Bstr(L"xmlns:" + prefix).get(), Variant(uri).get()));
    return prefixes_[uri] = prefix;
}

std::wstring SchemaDocument::Q(const std::wstring& uri, std::u16string_view local) {
    static const std::wstring ourPrefix = Wide(kPreferredPrefix);
    const wchar_t* preferred = uri == kFramework  ? L"psf"
                               : uri == kKeywords ? L"psk"
                                                  : ourPrefix.c_str();
    return PrefixOf(uri, preferred) + L":" + Wide(local);
}

TicketPart SchemaDocument::ReadTicket() {
    const std::wstring& ours = Ours();
    TicketPart part;
    for (const auto& feature : Select(document_, kTicketFeatures)) {
        const Name name = Resolve(feature.get(), Attribute(feature.get(), L"name").value_or(L""));
        if (name.uri == kKeywords && name.local == L"PageMediaSize") {
            if (const auto chosen = SelectOne(feature.get(), kChildOption)) {
                const Name n =
                    Resolve(chosen.get(), Attribute(chosen.get(), L"name").value_or(L""));
                if (n.uri == ours)
                    part.mediaSize = Sixteen(n.local);
            }
            continue;
        }
        if (name.uri != ours)
            continue;
        std::u16string option;
        if (const auto chosen = SelectOne(feature.get(), kChildOption)) {
            const Name n = Resolve(chosen.get(), Attribute(chosen.get(), L"name").value_or(L""));
            if (n.uri == ours)
                option = Sixteen(n.local);
        }
        part.options.emplace_back(Sixteen(name.local), std::move(option));
    }
    for (const auto& init : Select(document_, kTicketParameters)) {
        const Name name = Resolve(init.get(), Attribute(init.get(), L"name").value_or(L""));
        if (name.uri != ours)
            continue;
        const auto value = SelectOne(init.get(), kChildValue);
        part.parameters.emplace_back(Sixteen(name.local),
                                     value ? Sixteen(TextOf(value.get())) : u"");
    }
    return part;
}

ComRef<IXMLDOMElement> SchemaDocument::NewElement(const wchar_t* local, const std::wstring& name) {
    ComRef<IXMLDOMNode> node;
    Check(document_->createNode(Variant(LONG{NODE_ELEMENT}).get(),
                                Bstr(Q(kFramework, Sixteen(local))).get(), Bstr(kFramework).get(),
                                node.put()));
    ComRef<IXMLDOMElement> element;
    Check(node->QueryInterface(kIID_IXMLDOMElement, element.put()));
    if (!name.empty())
        Check(element->setAttribute(Bstr(L"name").get(), Variant(name).get()));
    return element;
}

ComRef<IXMLDOMElement> SchemaDocument::Append(IXMLDOMNode* parent, const wchar_t* local,
                                              const std::wstring& name) {
    ComRef<IXMLDOMElement> element = NewElement(local, name);
    ComRef<IXMLDOMNode> added;
    Check(parent->appendChild(element.get(), added.put()));
    return element;
}

void SchemaDocument::AppendValue(IXMLDOMNode* parent, const wchar_t* xsdType,
                                 std::u16string_view text) {
    ComRef<IXMLDOMElement> value = Append(parent, L"Value");
    ComRef<IXMLDOMNode> typeNode;
    Check(document_->createNode(Variant(LONG{NODE_ATTRIBUTE}).get(),
                                Bstr(PrefixOf(kSchemaInstance, L"xsi") + L":type").get(),
                                Bstr(kSchemaInstance).get(), typeNode.put()));
    Check(typeNode->put_text(Bstr(PrefixOf(kSchema, L"xsd") + L":" + xsdType).get()));
    ComRef<IXMLDOMAttribute> type;
    Check(typeNode->QueryInterface(kIID_IXMLDOMAttribute, type.put()));
    ComRef<IXMLDOMAttribute> replaced;
    Check(value->setAttributeNode(type.get(), replaced.put()));
    Check(value->put_text(Bstr(Wide(text)).get()));
}

void SchemaDocument::AppendProperty(IXMLDOMNode* parent, const wchar_t* kind,
                                    const std::wstring& name, const wchar_t* xsdType,
                                    std::u16string_view text) {
    AppendValue(Append(parent, kind, name).get(), xsdType, text);
}

void SchemaDocument::AppendDisplayName(IXMLDOMNode* parent, std::u16string_view text) {
    AppendProperty(parent, L"Property", Q(kKeywords, u"DisplayName"), L"string", text);
}

void SchemaDocument::ReplaceTicket(const TicketPart& part) {
    const std::wstring& ours = Ours();
    for (const wchar_t* xpath : {kTicketFeatures, kTicketParameters}) {
        for (const auto& node : Select(document_, xpath)) {
            if (Resolve(node.get(), Attribute(node.get(), L"name").value_or(L"")).uri != ours)
                continue;
            ComRef<IXMLDOMNode> removed;
            Check(root_->removeChild(node.get(), removed.put()));
        }
    }
    for (const auto& [feature, option] : part.options) {
        ComRef<IXMLDOMElement> element = Append(root_.get(), L"Feature", Q(Ours(), feature));
        Append(element.get(), L"Option", Q(Ours(), option));
    }
    for (const auto& [parameter, text] : part.parameters) {
        const bool integer = ParameterTypeOf(parameter) == ParameterType::Integer;
        AppendValue(Append(root_.get(), L"ParameterInit", Q(Ours(), parameter)).get(),
                    integer ? L"integer" : L"string", text);
    }
    if (part.mediaSize)
        ChooseMediaSize(*part.mediaSize);
}

void SchemaDocument::ChooseMediaSize(std::u16string_view option) {
    ComRef<IXMLDOMNode> feature;
    for (auto& candidate : Select(document_, kTicketFeatures)) {
        const Name name =
            Resolve(candidate.get(), Attribute(candidate.get(), L"name").value_or(L""));
        if (name.uri == kKeywords && name.local == L"PageMediaSize") {
            feature = std::move(candidate);
            break;
        }
    }
    if (!feature) {
        feature = Share<IXMLDOMNode>(
            Append(root_.get(), L"Feature", Q(kKeywords, u"PageMediaSize")).get());
    }
    // The core driver's option for a paper it does not know gives way to ours.
    for (const auto& old : Select(feature.get(), kChildOption)) {
        ComRef<IXMLDOMNode> removed;
        Check(feature->removeChild(old.get(), removed.put()));
    }
    Append(feature.get(), L"Option", Q(Ours(), option));
}

void SchemaDocument::AppendFeature(IXMLDOMNode* parent, const FeatureDef& feature) {
    ComRef<IXMLDOMElement> element = Append(parent, L"Feature", Q(Ours(), feature.name));
    AppendProperty(element.get(), L"Property", Q(kFramework, u"SelectionType"), L"QName",
                   Sixteen(Q(kKeywords, u"PickOne")));
    AppendDisplayName(element.get(), feature.displayName);
    for (const OptionDef& option : feature.options) {
        ComRef<IXMLDOMElement> o = Append(element.get(), L"Option", Q(Ours(), option.name));
        AppendDisplayName(o.get(), option.displayName);
        for (const std::u16string& parameter : option.parameterRefs) {
            ComRef<IXMLDOMElement> scored =
                Append(o.get(), L"ScoredProperty", Q(Ours(), parameter));
            Append(scored.get(), L"ParameterRef", Q(Ours(), parameter));
        }
    }
}

void SchemaDocument::AppendParameterDef(IXMLDOMNode* parent, const ParameterDef& p) {
    ComRef<IXMLDOMElement> def = Append(parent, L"ParameterDef", Q(Ours(), p.name));
    const auto property = [&](std::u16string_view name, const wchar_t* type,
                              std::u16string_view text) {
        AppendProperty(def.get(), L"Property", Q(kFramework, name), type, text);
    };
    const auto number = [](std::int64_t v) { return Sixteen(std::to_wstring(v)); };
    const bool text = p.type == ParameterType::Text;
    property(u"DataType", L"QName",
             Sixteen(PrefixOf(kSchema, L"xsd") + (text ? L":string" : L":integer")));
    property(u"DefaultValue", text ? L"string" : L"integer", p.defaultValue);
    property(u"Mandatory", L"QName", Sixteen(Q(kKeywords, u"Conditional")));
    if (text) {
        property(u"MinLength", L"integer", number(p.minimum));
        property(u"MaxLength", L"integer", number(p.maximum));
    } else {
        property(u"MinValue", L"integer", number(p.minimum));
        property(u"MaxValue", L"integer", number(p.maximum));
        property(u"Multiple", L"integer", number(p.multiple));
    }
    property(u"UnitType", L"string", p.unit);
    AppendDisplayName(def.get(), p.displayName);
}

ComRef<IXMLDOMNode> SchemaDocument::MediaSizeFeature() {
    for (auto& feature : Select(document_, kCapabilityFeatures)) {
        const Name name = Resolve(feature.get(), Attribute(feature.get(), L"name").value_or(L""));
        if (name.uri == kKeywords && name.local == L"PageMediaSize")
            return std::move(feature);
    }
    ComRef<IXMLDOMElement> created =
        Append(root_.get(), L"Feature", Q(kKeywords, u"PageMediaSize"));
    AppendProperty(created.get(), L"Property", Q(kFramework, u"SelectionType"), L"QName",
                   Sixteen(Q(kKeywords, u"PickOne")));
    AppendDisplayName(created.get(), u"Paper size");
    return Share<IXMLDOMNode>(created.get());
}

void SchemaDocument::AddCapabilities(const CapabilityAdditions& additions) {
    for (const FeatureDef& feature : additions.features)
        AppendFeature(root_.get(), feature);
    for (const ParameterDef& parameter : additions.parameters)
        AppendParameterDef(root_.get(), parameter);
    if (additions.mediaSizes.empty())
        return;
    const ComRef<IXMLDOMNode> sizes = MediaSizeFeature();
    for (const MediaSizeOption& paper : additions.mediaSizes) {
        ComRef<IXMLDOMElement> option = Append(sizes.get(), L"Option", Q(Ours(), paper.name));
        AppendDisplayName(option.get(), paper.displayName);
        AppendProperty(option.get(), L"ScoredProperty", Q(kKeywords, u"MediaSizeWidth"), L"integer",
                       Sixteen(std::to_wstring(paper.widthMicrons)));
        AppendProperty(option.get(), L"ScoredProperty", Q(kKeywords, u"MediaSizeHeight"),
                       L"integer", Sixteen(std::to_wstring(paper.heightMicrons)));
    }
}

}  // namespace adjustui::tickets::win32
