# The layering of the libraries, checked on the #include lines of the sources:
#   platform    includes nothing of data, data_views, components, screens, shell;
#   data        includes no widget header (Qt Widgets, Qt Charts, Qt SVG widgets), nothing
#               of platform/vcl or platform/wintab, nor anything above it;
#   data_views, components  include no screen and not the shell;
#   screens     do not include the shell;
#   platform/web (Qt WebEngine) is included only by platform/web and screens/menu.
# Run by CTest: cmake -DSOURCE_DIR=<tree> -DWIDGET_DIRS=<dir|dir...> -P layering_test.cmake
# WIDGET_DIRS are the include folders of the widget modules: a <QName> header found in
# one of them is a widget header.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" widget_dirs "${WIDGET_DIRS}")
set(failures "")

# Each rule: folder, then a regular expression of forbidden quoted include paths.
set(above_data "data/|data_views/|components/|screens/|shell/")
set(rules
  "platform|^(${above_data})"
  "data|^(platform/vcl/|platform/wintab/|platform/web/|data_views/|components/|screens/|shell/)"
  "data_views|^(platform/web/|screens/|shell/)"
  "components|^(data/|data_views/|platform/web/|screens/|shell/)"
  "screens|^(shell/)")

function(is_widget_header name result)
  set(${result} FALSE PARENT_SCOPE)
  if(name MATCHES "^Qt(Widgets|Charts|SvgWidgets|OpenGLWidgets|QuickWidgets|WebEngine[A-Za-z]*)/")
    set(${result} TRUE PARENT_SCOPE)
    return()
  endif()
  foreach(dir IN LISTS widget_dirs)
    if(EXISTS "${dir}/${name}" AND NOT IS_DIRECTORY "${dir}/${name}")
      set(${result} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

foreach(rule IN LISTS rules)
  string(REPLACE "|^" ";^" parts "${rule}")
  list(GET parts 0 folder)
  list(GET parts 1 forbidden)
  file(GLOB_RECURSE files LIST_DIRECTORIES false
       "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" name "${line}")
      if(line MATCHES "\"" AND name MATCHES "${forbidden}")
        list(APPEND failures "${relative}: ${name}")
      elseif(folder STREQUAL "data" AND line MATCHES "<")
        is_widget_header("${name}" widget)
        if(widget)
          list(APPEND failures "${relative}: <${name}> is a widget header")
        endif()
      endif()
      if(name MATCHES "^(platform/web/|QtWebEngine)" AND NOT relative MATCHES "^(platform/web|screens/menu)/")
        list(APPEND failures "${relative}: ${name} (only platform/web and screens/menu use the web engine)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(REMOVE_DUPLICATES failures)
  string(REPLACE ";" "\n  " text "${failures}")
  message(FATAL_ERROR "Includes against the layering:\n  ${text}")
endif()
message(STATUS "Layering holds.")
