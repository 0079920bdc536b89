#pragma once

namespace quelvo::swf::avm1 {

class Object;
class Vm;

// Fills the global object with the built-in classes and functions. The VM
// has made Object.prototype, Function.prototype and the global object.
void installBuiltins(Vm& vm);

// The families, one file each.
void installObject(Vm& vm);
void installFunction(Vm& vm);
void installError(Vm& vm);
void installArray(Vm& vm);
void installString(Vm& vm);
void installNumberAndBoolean(Vm& vm);
void installMath(Vm& vm);
void installDate(Vm& vm);
void installGlobalFunctions(Vm& vm);
void installTimers(Vm& vm);
void installKey(Vm& vm);
void installMovieClip(Vm& vm);
// The Mouse object.
void installMouse(Vm& vm);
// addListener, removeListener and broadcastMessage for a source's listener
// list, made on the source when first needed (prototypes of sources).
void defineListeners(Vm& vm, Object* source);
// The same with the source's list made now (AsBroadcaster.initialize).
void makeBroadcaster(Vm& vm, Object* source);
// AsBroadcaster, before the sources made with it.
void installAsBroadcaster(Vm& vm);
// The Stage and Selection objects and the Color class.
void installStage(Vm& vm);
void installSelection(Vm& vm);
void installColor(Vm& vm);
// The Sound class.
void installSound(Vm& vm);
// flash.geom.Matrix, from SWF 8 on.
void installGeom(Vm& vm);
// flash.geom.Point, Rectangle and ColorTransform, in the flash.geom package object.
void installGeomClasses(Vm& vm, Object* geom);
// flash.display.BitmapData and MovieClip.attachBitmap, from SWF 8 on.
void installBitmapData(Vm& vm);
// flash.filters, the filters, blendMode and cacheAsBitmap of clips and text
// fields, and BitmapData.applyFilter; after installBitmapData and installTextField.
void installFilters(Vm& vm);
// The Button class, after installMovieClip.
void installButton(Vm& vm);
// The TextField class and MovieClip.createTextField, after installMovieClip.
void installTextField(Vm& vm);
// The TextFormat class.
void installTextFormat(Vm& vm);
// The drawing API methods of MovieClip.prototype.
void installDrawing(Vm& vm, Object* movieClipProto);
// MovieClip geometry (getBounds, localToGlobal...) and button-like members.
void installClipGeometry(Vm& vm, Object* movieClipProto);
// XMLNode, and XML on top of it.
void installXmlNode(Vm& vm);
void installXml(Vm& vm);
void installLoadVars(Vm& vm);
void installMovieClipLoader(Vm& vm);

}  // namespace quelvo::swf::avm1
