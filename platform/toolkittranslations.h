#ifndef TOOLKITTRANSLATIONS_H
#define TOOLKITTRANSLATIONS_H

// Makes Qt's own texts (the OK of a message box, Copy and Select All in a
// text box's menu, ...) Bulgarian, as the rest of the window is, whatever the
// user's locale. Loads Qt's Bulgarian translation once per application; where
// it is not installed, Qt's English texts stay and nothing fails.
void useBulgarianToolkitTexts();

#endif // TOOLKITTRANSLATIONS_H
