# Qt's headers are parsed once per layer instead of once per source file: every library, test and
# benchmark reuses the precompiled headers of one small target of its layer. gcc refuses a
# precompiled header made with other values of the macros its headers look at, so each layer's
# target links the same Qt modules as its users: Core and Gui for the layers without widgets,
# Widgets above them. QtTest stays out: its headers look at the test's own folders, which Qt
# defines for each test.

set(mervane_core_headers
  <algorithm> <array> <cmath> <functional> <memory> <optional> <vector>
  <QBuffer> <QByteArray> <QCoreApplication> <QDate> <QDir> <QFile> <QFileInfo> <QHash> <QIODevice>
  <QJsonArray> <QJsonDocument> <QJsonObject> <QList> <QLocale> <QObject> <QPointer> <QRegularExpression>
  <QSaveFile> <QSet> <QStandardPaths> <QString> <QStringList> <QTemporaryDir> <QTextStream> <QTime>
  <QTimer> <QUrl>
  <QColor> <QEvent> <QFont> <QFontMetrics> <QGuiApplication> <QImage> <QKeyEvent> <QMouseEvent>
  <QPainter> <QPainterPath> <QPicture> <QPixmap> <QScreen> <QTextBlock> <QTextCursor> <QTextDocument>)
set(mervane_widgets_headers ${mervane_core_headers}
  <QApplication> <QCheckBox> <QComboBox> <QDialog> <QFrame> <QGridLayout> <QGroupBox> <QHBoxLayout>
  <QLabel> <QLineEdit> <QListWidget> <QMenu> <QMenuBar> <QPushButton> <QRadioButton> <QScrollArea>
  <QSpinBox> <QToolButton> <QVBoxLayout> <QWidget>)

function(mervane_precompiled_layer name)
  cmake_parse_arguments(ARG "" "" "HEADERS;LINKS" ${ARGN})
  add_library(${name} OBJECT ${CMAKE_SOURCE_DIR}/cmake/PrecompiledQt.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  target_precompile_headers(${name} PRIVATE ${ARG_HEADERS})
endfunction()

mervane_precompiled_layer(mv_precompiled_core HEADERS ${mervane_core_headers} LINKS Qt6::Core Qt6::Gui)
mervane_precompiled_layer(mv_precompiled_widgets HEADERS ${mervane_widgets_headers} LINKS Qt6::Widgets)

# The layer of a list of link items: "widgets" when one of them is or brings Qt Widgets (Qt's
# print support does), else "core".
function(mervane_qt_layer result)
  set(layer core)
  foreach(item ${ARGN})
    if(item STREQUAL "Qt6::Widgets" OR item STREQUAL "Qt6::PrintSupport")
      set(layer widgets)
    elseif(TARGET ${item})
      get_target_property(linked ${item} MERVANE_QT_LAYER)
      if(linked STREQUAL "widgets")
        set(layer widgets)
      endif()
    endif()
  endforeach()
  set(${result} ${layer} PARENT_SCOPE)
endfunction()

# Gives `target`, which links `links`, the precompiled Qt headers of its layer.
function(mervane_use_precompiled_qt target)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  mervane_qt_layer(layer ${ARG_LINKS})
  set_target_properties(${target} PROPERTIES MERVANE_QT_LAYER ${layer})
  target_precompile_headers(${target} REUSE_FROM mv_precompiled_${layer})
endfunction()
