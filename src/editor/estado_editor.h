// State of the network editor that lasts for the whole run, whether or not its window is open: its
// loading sets only some of it, so a later opening starts from what the previous one left. Positions
// are drawing units unless said otherwise.
#pragma once

#include <QString>

#include "platform/arrays.h"
#include "platform/vb.h"

namespace tavo {

constexpr int kMaxVerticesTrazado = 20;  // vertices a reach can be drawn with

inline Single XIcono = 0;  // symbol anchor of the component placed, picked or drawn
inline Single YIcono = 0;
inline Single XAcople = 0;  // last press position; link point of the picked or drawn symbol
inline Single YAcople = 0;
inline Integer nVerticesTrazado = 0;  // vertices clicked for the reach being drawn; 0: none under way
inline Array1<Single> XTrazado(
    0, kMaxVerticesTrazado);  // vertex k of the reach being drawn, k = 1 … nVerticesTrazado:
inline Array1<Single> YTrazado(0, kMaxVerticesTrazado);  // it joins the network only when it is finished
inline Array1<Integer> IndiceInicialCauce(0, 100);  // first-vertex index of each reach in the vertex file
inline QString NombreNuevo;                         // name typed for a new component; scratch name
inline Boolean RepiteNombre = false;                // the name typed is empty or taken: ask again
inline Single XMaxDibujo = 0;                       // extent of the network, recomputed by every redraw
inline Single XMinDibujo = 0;
inline Single YMaxDibujo = 0;
inline Single YMinDibujo = 0;
inline Boolean CentrarVista = false;           // the next redraws centre the view on the extent
inline Boolean ZoomTotal = false;              // the next redraws fit the zoom to the extent
inline Boolean ViewHeld = false;               // the redraws keep the view: a component was added inside it
inline Long ExtensionDibujoNum = 0;            // width and height of the view at zoom 100
inline Boolean ImagenVisible = false;          // the background picture is shown
inline Long AnchoImagen = 0;                   // width of the background picture
inline Long AltoImagen = 0;                    // height of the background picture
inline Integer EspesorLinea = 0;               // line width of the drawing, pixels
inline Integer EspesorBase = 0;                // the redraw's copy of EspesorLinea
inline Boolean CauceYaSeleccionado = false;    // the next select press looks first for a vertex
inline Boolean ArrastraAcopleUEH = false;      // the last press grabbed the selected unit's link handle
inline Boolean ArrastraUEH = false;            // the last press is on the selected unit's symbol
inline Boolean ArrastraAcopleLago = false;     // the last press grabbed the selected lake's link handle
inline Boolean ArrastraAcopleRepresa = false;  // the last press grabbed the selected dam's link handle
inline Integer selVertice = 0;                 // selected vertex of the selected reach; 0: none
inline Single XVerticeNuevo = 0;               // where the selected vertex is being dragged; 0: no drag
inline Single YVerticeNuevo = 0;
inline Boolean NewVertexHeld = false;    // XVerticeNuevo, YVerticeNuevo hold a dragged position
inline Boolean DivisionEnCurso = false;  // a reach division is creating its second piece
inline Boolean BotonAbajo = false;       // a mouse button is down on the drawing
inline Boolean MuestraOrden = false;     // reaches are drawn wide by stream order
inline Single TamIcono = 0;              // symbol size
inline Integer nPuntosMedida = 0;        // points of the measuring polyline
inline Array1<Single> XMedida;           // measuring point k, k = 1 … nPuntosMedida
inline Array1<Single> YMedida;
inline Single LongitudMedida = 0;            // length or perimeter measured last, metres
inline Single AreaMedida = 0;                // area measured last, hectares
inline Integer iPunto = 0;                   // loop counter over measuring points
inline Boolean ContinuarConErrores = false;  // the closing check was answered "go on" at least once
inline Boolean RedCorrecta = false;          // the closing check found one outlet and no "go on"
inline ObjectRef CompoDibujo;                // loop variable of the redraw and the stream order
inline Integer MaxVertices = 0;              // upper vertex bound of XVertice/YVertice; never shrinks
inline Boolean ScrollMovido = false;         // a scroll bar moved the view: the redraw keeps its scale
inline Integer ScrHorAnterior = 0;           // scroll bar values at the last redraw or activation
inline Integer ScrVerAnterior = 0;

inline Integer TolSeleccion = 0;  // pick and snap tolerance: 2 % of the width of the view

// Sets the whole editor state to its values at program start.
void ResetEstadoEditor();

}  // namespace tavo
