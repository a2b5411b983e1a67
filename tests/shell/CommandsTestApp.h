#pragma once
// The one application object of the commands tests, made on first use.
class QApplication;
QApplication& TestApp();
