#pragma once
// Window descriptions are JSON documents compiled in as ":/forms/<FormName>.json".
//
// A description (all positions and sizes in twips, 15 per pixel; colours as OLE
// colour values, see Colors.h; fonts as {name, size, bold, italic, underline,
// strikethrough}; booleans as true/false or -1/0):
//
// {
//   "name": "frmCal", "caption": "Calendar Generator",
//   "kind": "main" | "tool",          main: own task-bar button, minimize box, no
//                                      maximize box; tool: close box only, not in
//                                      the task bar
//   "clientWidth": 9435, "clientHeight": 5535,   fixed client size
//   "backColor": "0x80000005", "foreColor": ..., "font": {...},   window defaults
//   "controls": [ control, ... ],
//   "menus": [ { "name": "mnu", "caption": "mnu",
//                "items": [ { "name": "mnuCal", "caption": "&Calendar Generator",
//                             "shortcut": "Ctrl+G" }, { "caption": "-" }, ... ] } ]
// }
//
// A control:
// {
//   "name": "Label1", "index": 0,      index only for members of a control array
//   "kind": "label" | "textbox" | "option" | "frame" | "picturebox" | "image" |
//           "line" | "timer" | any registered kind such as "vbButton",
//   "left": 240, "top": 600, "width": 975, "height": 495,   within the parent
//   "tabIndex": 3, "tabStop": true, "toolTip": "...", "font": {...},
//   "backColor": ..., "foreColor": ..., "enabled": true, "visible": true,
//   label:      "caption", "alignment": "left"|"center"|"right", "border": false,
//               "backStyle": "opaque"|"transparent", "wordWrap": true
//   textbox:    "text", "alignment", "multiLine": false, "readOnly": false,
//               "border": true, "maxLength": 0
//   option:     "caption", "value": false (options in one parent form one group)
//   frame:      "caption", "controls": [ ... ]   children positioned inside it
//   picturebox: "border": true, "controls": [ ... ]
//   image:      "picture": ":/path.png" or "applicationIcon": true, "stretch": false
//   line:       "x1", "y1", "x2", "y2", "borderColor" (no left/top/width/height)
//   timer:      "interval": 1000, "enabled": true (no position)
//   user controls: "properties": { the control's saved property bag }
// }

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace forms {

// Reads ":/forms/<formName>.json". A missing or malformed description is a
// defect of the build: throws std::runtime_error naming the form.
[[nodiscard]] QJsonObject loadWindowDescription(const QString& formName);

// Parses a description from JSON text; throws std::runtime_error if it is not a
// JSON object.
[[nodiscard]] QJsonObject parseWindowDescription(const QByteArray& json, const QString& what = QString());

} // namespace forms
