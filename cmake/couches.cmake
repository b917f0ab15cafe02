# The layers of the sources. Each layer is one static library that links only the layer below
# it, and compiles with an include tree of its own that holds the headers of its layer and of
# the layers below, and nothing else: a file that includes a header of a higher layer does not
# build.
#
# From the bottom: the core layers (the top level of each folder, no Qt), then the Qt layers
# (the `qt/` sub-folders), which may use every core layer:
#   numeric < plot < analysis < settings < document < studies < app
#   < plot/qt < studies/qt < settings/qt < document/qt < app/qt

set(VARLEM_COUCHES_NOYAU numeric plot analysis settings document studies app)
set(VARLEM_COUCHES_QT plot studies settings document app)

# Fills `dossier_arbre`/<folder> with links to the headers of src/<folder>, and links its
# `qt` sub-folder too when `avec_qt` is set.
function(varlem_lier_dossier dossier_arbre dossier avec_qt)
    file(MAKE_DIRECTORY ${dossier_arbre}/${dossier})
    file(GLOB entetes CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dossier}/*.h)
    foreach(entete IN LISTS entetes)
        get_filename_component(nom ${entete} NAME)
        file(CREATE_LINK ${entete} ${dossier_arbre}/${dossier}/${nom} SYMBOLIC)
    endforeach()
    if(avec_qt)
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${dossier}/qt ${dossier_arbre}/${dossier}/qt
             SYMBOLIC)
    endif()
endfunction()

# The include tree of a layer: the core folders up to `dernier_noyau` and the Qt folders up
# to `dernier_qt` (empty for a core layer).
function(varlem_arbre_couche nom dernier_noyau dernier_qt sortie)
    set(arbre ${PROJECT_BINARY_DIR}/couches/${nom})
    file(REMOVE_RECURSE ${arbre})
    set(qt_permis)
    if(dernier_qt)
        foreach(couche IN LISTS VARLEM_COUCHES_QT)
            list(APPEND qt_permis ${couche})
            if(couche STREQUAL dernier_qt)
                break()
            endif()
        endforeach()
    endif()
    foreach(couche IN LISTS VARLEM_COUCHES_NOYAU)
        list(FIND qt_permis ${couche} avec_qt)
        if(avec_qt EQUAL -1)
            varlem_lier_dossier(${arbre} ${couche} FALSE)
        else()
            varlem_lier_dossier(${arbre} ${couche} TRUE)
        endif()
        if(couche STREQUAL dernier_noyau)
            break()
        endif()
    endforeach()
    set(${sortie} ${arbre} PARENT_SCOPE)
endfunction()

# The core layers: varlem_numeric, varlem_plot, ... each linking the one below.
set(couche_precedente)
foreach(couche IN LISTS VARLEM_COUCHES_NOYAU)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${couche}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/src/app/main\\.cpp$")
    add_library(varlem_${couche} STATIC ${sources})
    varlem_arbre_couche(${couche} ${couche} "" arbre)
    target_include_directories(varlem_${couche} PRIVATE ${arbre})
    if(couche_precedente)
        target_link_libraries(varlem_${couche} PUBLIC varlem_${couche_precedente})
    endif()
    set(couche_precedente ${couche})
endforeach()
set(VARLEM_DERNIERE_COUCHE_NOYAU ${couche_precedente})

# Everything the core offers, for the tools, the tests, the benchmarks and the fuzz targets.
add_library(varlem_core INTERFACE)
target_link_libraries(varlem_core INTERFACE varlem_${VARLEM_DERNIERE_COUCHE_NOYAU})
target_include_directories(varlem_core INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(VARLEM_QT)
    set(couche_precedente varlem_${VARLEM_DERNIERE_COUCHE_NOYAU})
    foreach(couche IN LISTS VARLEM_COUCHES_QT)
        file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${couche}/qt/*.cpp
             ${PROJECT_SOURCE_DIR}/src/${couche}/qt/*.h)
        add_library(varlem_${couche}_qt STATIC ${sources})
        varlem_arbre_couche(${couche}_qt ${VARLEM_DERNIERE_COUCHE_NOYAU} ${couche} arbre)
        target_include_directories(varlem_${couche}_qt PRIVATE ${arbre})
        target_link_libraries(varlem_${couche}_qt PUBLIC ${couche_precedente} Qt6::Core Qt6::Gui
                                                         Qt6::Widgets Qt6::Svg Qt6::PrintSupport)
        set_target_properties(varlem_${couche}_qt PROPERTIES AUTOMOC ON)
        set(couche_precedente varlem_${couche}_qt)
    endforeach()
    add_library(varlem_qt INTERFACE)
    target_link_libraries(varlem_qt INTERFACE ${couche_precedente})
    target_include_directories(varlem_qt INTERFACE ${PROJECT_SOURCE_DIR}/src)
endif()

# The core never depends on Qt.
foreach(couche IN LISTS VARLEM_COUCHES_NOYAU)
    get_target_property(liens varlem_${couche} LINK_LIBRARIES)
    foreach(lien IN LISTS liens)
        if(lien MATCHES "Qt")
            message(FATAL_ERROR "varlem_${couche} must not link Qt (found ${lien})")
        endif()
    endforeach()
endforeach()
