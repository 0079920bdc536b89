#pragma once

#include <QStringView>
#include <array>
#include <cstdint>

namespace quelvo::swf {

// The members of a text field scripts read and write, besides those it
// shares with clips (_x, _alpha, _name...).
enum class FieldMember : std::uint8_t {
  Text,
  HtmlText,
  Html,
  TextColor,
  Background,
  BackgroundColor,
  Border,
  BorderColor,
  AutoSize,
  WordWrap,
  Multiline,
  Selectable,
  Type,
  MaxChars,
  Restrict,
  Password,
  EmbedFonts,
  Variable,
  Scroll,
  MaxScroll,
  BottomScroll,
  HScroll,
  MaxHScroll,
  Length,
  TextWidth,
  TextHeight,
};

// How a member's value arrives: converted to this type by the VM, except
// Any (autoSize takes a string or a boolean; maxChars and restrict take null).
enum class FieldMemberType : std::uint8_t { String, Number, Boolean, Any, ReadOnly };

struct FieldMemberInfo {
  const char16_t* name;
  FieldMember member;
  FieldMemberType type;
};

inline constexpr std::array<FieldMemberInfo, 26> kFieldMembers{{
    {u"text", FieldMember::Text, FieldMemberType::String},
    {u"htmlText", FieldMember::HtmlText, FieldMemberType::String},
    {u"html", FieldMember::Html, FieldMemberType::Boolean},
    {u"textColor", FieldMember::TextColor, FieldMemberType::Number},
    {u"background", FieldMember::Background, FieldMemberType::Boolean},
    {u"backgroundColor", FieldMember::BackgroundColor, FieldMemberType::Number},
    {u"border", FieldMember::Border, FieldMemberType::Boolean},
    {u"borderColor", FieldMember::BorderColor, FieldMemberType::Number},
    {u"autoSize", FieldMember::AutoSize, FieldMemberType::Any},
    {u"wordWrap", FieldMember::WordWrap, FieldMemberType::Boolean},
    {u"multiline", FieldMember::Multiline, FieldMemberType::Boolean},
    {u"selectable", FieldMember::Selectable, FieldMemberType::Boolean},
    {u"type", FieldMember::Type, FieldMemberType::String},
    {u"maxChars", FieldMember::MaxChars, FieldMemberType::Any},
    {u"restrict", FieldMember::Restrict, FieldMemberType::Any},
    {u"password", FieldMember::Password, FieldMemberType::Boolean},
    {u"embedFonts", FieldMember::EmbedFonts, FieldMemberType::Boolean},
    {u"variable", FieldMember::Variable, FieldMemberType::Any},
    {u"scroll", FieldMember::Scroll, FieldMemberType::Number},
    {u"maxscroll", FieldMember::MaxScroll, FieldMemberType::ReadOnly},
    {u"bottomScroll", FieldMember::BottomScroll, FieldMemberType::ReadOnly},
    {u"hscroll", FieldMember::HScroll, FieldMemberType::Number},
    {u"maxhscroll", FieldMember::MaxHScroll, FieldMemberType::ReadOnly},
    {u"length", FieldMember::Length, FieldMemberType::ReadOnly},
    {u"textWidth", FieldMember::TextWidth, FieldMemberType::ReadOnly},
    {u"textHeight", FieldMember::TextHeight, FieldMemberType::ReadOnly},
}};

}  // namespace quelvo::swf
