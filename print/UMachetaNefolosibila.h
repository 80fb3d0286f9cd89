#pragma once

class QWidget;

// Makes sure the certificate has a layout to show and print. When the school's layout file cannot be used
// (damaged, of a newer version, invalid), says what is wrong and offers the way out: back to the built-in layout
// or another layout imported, the unusable file kept beside under another name. Changes nothing unless the user
// chooses one. True when a layout can be used.
bool AsiguraMacheta(QWidget* parinte);
