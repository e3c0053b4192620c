#pragma once

class QString;
class QWidget;

// What a control is; the builder makes the matching Qt widget.
enum class ControlKind {
    Static,        // QLabel
    Button,        // QPushButton
    FlatButton,    // QPushButton drawn flat
    CheckBox,      // QCheckBox
    Radio,         // QRadioButton, exclusive within its group
    GroupBox,      // QGroupBox, a frame with or without a caption
    Edit,          // QLineEdit
    MultiLineEdit, // QPlainTextEdit, both scroll bars, Enter breaks the line
    DropList,      // non-editable QComboBox
    SortedList,    // QListWidget sorting its items
    ReportList,    // QTableWidget in report style
    RichEdit,      // made by the spec's factory (the result box)
    LinkLabel,     // made by the spec's factory (a link label)
    Icon,          // QLabel showing the application icon
};

// Style flags of a control, combined with |.
enum ControlStyle : unsigned {
    StyleNone = 0,
    StyleHidden = 1u << 0,      // created but not shown
    StyleDisabled = 1u << 1,    // created disabled
    StyleGroup = 1u << 2,       // a radio with this flag starts a new exclusive group
    StyleMultiSelect = 1u << 3, // report list: several rows may be selected
    StyleCenter = 1u << 4,      // static: centred text
    StyleRight = 1u << 5,       // static: right-aligned text
    StyleReadOnly = 1u << 6,    // edits
    StyleZeroSize = 1u << 7,    // takes no room whatever its size says
    StyleNoScroll = 1u << 8,    // multi-line edit without scroll bars
    StyleVCenter = 1u << 9,     // static: text centred vertically
};

// Makes a control the framework does not know: the widgets above it hand one in, so the
// framework never includes them.
using ControlFactory = QWidget* (*)(QWidget* parent, const QString& caption);

// One control of a dialog template: geometry in dialog units, caption in UTF-8.
// id -1 marks a control the code never addresses (labels, frames).
struct ControlSpec {
    int id;
    ControlKind kind;
    const char* caption;
    int x;
    int y;
    int w;
    int h;
    unsigned style = StyleNone;
    ControlFactory make = nullptr; // for RichEdit and LinkLabel
};
