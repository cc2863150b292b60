// Writing markup (see serializer.h).
#include "serializer.h"

namespace msxml {
namespace {

class Writer {
 public:
  Writer(MarkupFor purpose, Encodable encodable, std::u16string& out)
      : purpose_(purpose), encodable_(encodable), out_(out) {}

  bool ok() const { return ok_; }

  void Node(const msxml::Node* node) {
    if (node->kind == NodeKind::Document) {
      for (const msxml::Node* child = node->first; child; child = child->next) {
        Tree(child);
        out_.append(u"\r\n");
      }
      return;
    }
    Tree(node);
  }

 private:
  // Walks the subtree without recursion: open each element on the way down, close it on the
  // way up.
  void Tree(const msxml::Node* top) {
    const msxml::Node* n = top;
    while (true) {
      if (n->kind == NodeKind::Element) {
        Open(n);
        if (n->first) {
          n = n->first;
          continue;
        }
      } else {
        Leaf(n);
      }
      while (n != top && !n->next) {
        n = n->parent;
        Close(n);
      }
      if (n == top) return;
      n = n->next;
    }
  }

  void Open(const msxml::Node* e) {
    out_.push_back(u'<');
    Raw(e->name);
    for (const msxml::Node* a = e->firstAttribute; a; a = a->next) {
      out_.push_back(u' ');
      Raw(a->name);
      out_.append(u"=\"");
      Escaped(a->value, true);
      out_.push_back(u'"');
    }
    out_.append(e->first ? u">" : u"/>");
  }

  void Close(const msxml::Node* e) {
    if (!e->first) return;
    out_.append(u"</");
    Raw(e->name);
    out_.push_back(u'>');
  }

  void Leaf(const msxml::Node* n) {
    switch (n->kind) {
      case NodeKind::Text:
        Escaped(n->value, false);
        break;
      case NodeKind::CData: {
        // "]]>" cannot stand inside a section: it is split across two.
        out_.append(u"<![CDATA[");
        std::u16string_view rest = n->value;
        for (size_t end; (end = rest.find(u"]]>")) != std::u16string_view::npos; rest.remove_prefix(end + 2)) {
          Raw(rest.substr(0, end + 2));
          out_.append(u"]]><![CDATA[");
        }
        Raw(rest);
        out_.append(u"]]>");
        break;
      }
      case NodeKind::Comment:
        out_.append(u"<!--");
        Raw(n->value);
        out_.append(u"-->");
        break;
      case NodeKind::ProcessingInstruction:
        out_.append(u"<?");
        Raw(n->name);
        if (n->name == u"xml" && purpose_ == MarkupFor::Property) {
          Declaration(n->value);
        } else if (!n->value.empty()) {
          out_.push_back(u' ');
          Raw(n->value);
        }
        out_.append(u"?>");
        break;
      case NodeKind::Attribute:
        Raw(n->name);
        out_.append(u"=\"");
        Escaped(n->value, true);
        out_.push_back(u'"');
        break;
      default:
        break;
    }
  }

  // The declaration without its encoding: the property's text is UTF-16 whatever was declared.
  void Declaration(std::u16string_view data) {
    for (std::u16string_view name : {std::u16string_view(u"version"), std::u16string_view(u"standalone")}) {
      const std::u16string_view value = PseudoAttribute(data, name);
      if (value.empty()) continue;
      out_.push_back(u' ');
      out_.append(name);
      out_.append(u"=\"");
      Raw(value);
      out_.push_back(u'"');
    }
  }

  static char32_t CodePointAt(std::u16string_view s, size_t& i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      const char32_t cp = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
      return cp;
    }
    return c;
  }

  void Raw(std::u16string_view s) {
    if (encodable_) {
      for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] >= 0x80 && !encodable_(CodePointAt(s, i))) ok_ = false;
      }
    }
    out_.append(s);
  }

  void Escaped(std::u16string_view s, bool attribute) {
    for (size_t i = 0; i < s.size(); ++i) {
      const char16_t c = s[i];
      switch (c) {
        case u'&':
          out_.append(u"&amp;");
          continue;
        case u'<':
          out_.append(u"&lt;");
          continue;
        case u'>':
          if (!attribute) {
            out_.append(u"&gt;");
            continue;
          }
          break;
        case u'"':
          if (attribute) {
            out_.append(u"&quot;");
            continue;
          }
          break;
        case u'\r':
          // Read back, a bare CR would become a line feed; a reference keeps it.
          out_.append(u"&#13;");
          continue;
        case u'\n':
        case u'\t':
          if (attribute) {  // attribute values are read back with these turned into spaces
            out_.append(c == u'\n' ? u"&#10;" : u"&#9;");
            continue;
          }
          break;
        default:
          break;
      }
      if (c >= 0x80 && encodable_) {
        const size_t start = i;
        const char32_t cp = CodePointAt(s, i);
        if (!encodable_(cp)) {
          Reference(cp);
          continue;
        }
        out_.append(s.substr(start, i - start + 1));
        continue;
      }
      out_.push_back(c);
    }
  }

  void Reference(char32_t cp) {
    out_.append(u"&#");
    char16_t digits[12];
    size_t n = 0;
    do {
      digits[n++] = static_cast<char16_t>(u'0' + cp % 10);
      cp /= 10;
    } while (cp);
    while (n) out_.push_back(digits[--n]);
    out_.push_back(u';');
  }

  const MarkupFor purpose_;
  const Encodable encodable_;
  std::u16string& out_;
  bool ok_ = true;
};

}  // namespace

bool AppendMarkup(const Node* node, MarkupFor purpose, Encodable encodable, std::u16string& out) {
  Writer writer(purpose, encodable, out);
  writer.Node(node);
  return writer.ok();
}

}  // namespace msxml
