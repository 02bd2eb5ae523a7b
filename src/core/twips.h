#pragma once

#include <QRect>

// Units. Every place and size of the program's rules is in twips, fifteen to
// a pixel: the layout of every window is given in twips (a button at 1110,
// the text box 240 narrower than the strip), and the code keeps those
// numbers as they are given, so that a reader can hold the code against the
// layout. Pixels appear only where a window or a control is actually moved
// or sized; Qt's logical pixels make that right on high-DPI screens too.
//
// The controls keep their layout names as their objectName (tests and
// screen readers find them by it); the members say what they hold:
//
//   strip (FormMain)   Text1 m_textBox, Frame1 m_toolbar, lblSaving
//                      m_savingBadge, btnUpDown m_collapseButton, btnIdent
//                      m_bulletButton, btnSave m_saveButton, btnList
//                      m_listButton, btnConfig m_settingsButton, btnAbout
//                      m_aboutButton, btnTop m_topButton, btnPosicao
//                      m_positionsButton, btnClose m_closeButton
//   collapsed (FormIni) btnShow m_expandButton
//   side windows       btnClose m_closeButton, btnEsq m_leftButton, btnDir
//                      m_rightButton, lblAviso m_notice (its timer
//                      m_noticeTimer)
//   save (FormSave)    txtFileName m_titleBox, txtExtensao m_extensionBox,
//                      btnSave m_saveButton, btnRename m_renameButton,
//                      btnNew m_newButton
//   list (FormList)    List1 m_list, btnDel m_deleteButton, Check1
//                      m_closeOnOpenBox
//   settings           txtLargura m_widthBox, txtAlturaMin m_minHeightBox,
//   (FormConfig)       txtAlturaMax m_maxHeightBox, txtTransparencia
//                      m_opacityBox, OptAlignEsq/Center/Dir m_leftOption/
//                      m_centreOption/m_rightOption, optIniSim/optIniNao
//                      m_startCollapsedOption/m_startExpandedOption, Combo1
//                      m_fontBox, chkLast m_reopenLastBox, btnSave
//                      m_saveButton
namespace core {

constexpr int TwipsPerPixel = 15;

// Twips to whole pixels, halves to the even neighbour, held to the range a
// screen can take, as the window system places a window given in twips.
int px(double twips);
QRect pxRect(const QRect &twips);

// Twips as a whole number, held to the same range.
int wholeTwips(double twips);

// Pixels to twips.
constexpr QRect twipsRect(const QRect &px) {
    return QRect(px.x() * TwipsPerPixel, px.y() * TwipsPerPixel, px.width() * TwipsPerPixel,
                 px.height() * TwipsPerPixel);
}

} // namespace core
