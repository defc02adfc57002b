#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace quillmere {

// The picture of the three job buttons: a green check mark.
inline constexpr QSize kJobButtonIconSize{18, 19};

// The check mark in its normal colours.
QPixmap CheckMarkPixmap();

// The greyed form of a picture, for a disabled button: its shape in the
// shadow grey with a white highlight one pixel below and to the right.
QPixmap GreyedPixmap(const QPixmap& picture);

// The check mark with its greyed variant for the disabled state.
QIcon JobButtonIcon();

// The picture of "Über...": a white question mark on a blue disc, drawn
// here because the style's help picture is missing where no icon theme
// provides it, which left a broken picture on the button.
QIcon HelpButtonIcon();

}  // namespace quillmere
