# The preview's code colours, math and diagrams: highlight.js, KaTeX (with its
# fonts) and Mermaid, as npm installed them into web/node_modules (pinned by
# web/package-lock.json), plus our own script that drives them. They ship
# inside the binary under :/preview/, so the page never reads anything from
# outside the program.
set(QUILL_WEB_MODULES "${PROJECT_SOURCE_DIR}/web/node_modules")
set(QUILL_RENDERING_VENDOR
  "highlight.min.js=@highlightjs/cdn-assets/highlight.min.js"
  "katex.min.js=katex/dist/katex.min.js"
  "katex.min.css=katex/dist/katex.min.css"
  "mermaid.min.js=mermaid/dist/mermaid.min.js")
foreach(entry IN LISTS QUILL_RENDERING_VENDOR)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 alias)
  list(GET pair 1 relative)
  if(NOT EXISTS "${QUILL_WEB_MODULES}/${relative}")
    message(FATAL_ERROR "web/node_modules/${relative} is missing: run scripts/setup "
                        "(it runs `npm ci` in web/) before building.")
  endif()
  list(APPEND QUILL_RENDERING_FILES "${QUILL_WEB_MODULES}/${relative}")
  set_source_files_properties("${QUILL_WEB_MODULES}/${relative}" PROPERTIES QT_RESOURCE_ALIAS "vendor/${alias}")
endforeach()
# KaTeX's fonts in WOFF2 only: every engine we run on reads it.
file(GLOB QUILL_KATEX_FONTS CONFIGURE_DEPENDS "${QUILL_WEB_MODULES}/katex/dist/fonts/*.woff2")
foreach(font IN LISTS QUILL_KATEX_FONTS)
  get_filename_component(name "${font}" NAME)
  set_source_files_properties("${font}" PROPERTIES QT_RESOURCE_ALIAS "vendor/fonts/${name}")
  list(APPEND QUILL_RENDERING_FILES "${font}")
endforeach()
foreach(own rendering.js rendering.css rendering-dark.css)
  list(APPEND QUILL_RENDERING_FILES "${PROJECT_SOURCE_DIR}/resources/preview/${own}")
  set_source_files_properties("${PROJECT_SOURCE_DIR}/resources/preview/${own}" PROPERTIES QT_RESOURCE_ALIAS "${own}")
endforeach()
qt_add_resources(quill_rendering "rendering" PREFIX "/preview" FILES ${QUILL_RENDERING_FILES})
