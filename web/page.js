// The page around the game: it waits for the player's click or key before the game starts
// (browsers let a page make sound only after one, and the logo's jingle would be lost),
// passes the address's options to the program, shows its dialogs over the canvas and
// offers to start again when the game has ended.
//
// Options in the address, for tests and demonstrations:
//   ?seed=S          start the random generator from S
//   ?milestones      print the run's events on the console, a line each
//   ?autopilot=CODES let a program play (CODES: invincible,full-power; may be empty)
//   ?frames=N        run N frames, then end
//   ?start=STAGE     begin a game at stage1 or stage2 at once
//   ?smooth=off      one picture a tick, the tick's own (the stored choice is kept)
//   ?record=FILE     write the run's input journal into FILE in the program's memory
'use strict';

function brinefallArguments(search) {
  var query = new URLSearchParams(search);
  var args = ['--data-dir', '/data'];
  if (query.has('seed')) args.push('--seed', query.get('seed'));
  if (query.has('milestones')) args.push('--milestones');
  if (query.has('autopilot')) args.push(query.get('autopilot') ? '--autopilot=' + query.get('autopilot') : '--autopilot');
  if (query.has('frames')) args.push('--frames', query.get('frames'));
  if (query.has('start')) args.push('--start', query.get('start'));
  if (query.get('smooth') === 'off') args.push('--no-smooth');
  if (query.has('record')) args.push('--record', query.get('record'));
  return args;
}

var Module = {
  canvas: document.getElementById('canvas'),
  noInitialRun: true,
  arguments: brinefallArguments(window.location.search),
  print: function (line) { console.log(line); },
  printErr: function (line) { console.error(line); },
  monitorRunDependencies: function (left) {
    document.getElementById('progress').textContent = left ? 'Loading the game…' : '';
  },
  onRuntimeInitialized: function () {
    var play = document.getElementById('play');
    play.disabled = false;
    play.textContent = 'Click to play';
    document.addEventListener('keydown', start);
    play.addEventListener('click', start);
  },
  showDialog: function (title, text) {
    document.getElementById('dialog-title').textContent = title;
    document.getElementById('dialog-text').textContent = text;
    document.getElementById('dialog').hidden = false;
  },
  onGameEnded: function () {
    document.getElementById('ended').hidden = false;
  },
};

var started = false;

function start(event) {
  if (started) return;
  started = true;
  event.preventDefault();
  document.removeEventListener('keydown', start);
  // Made and resumed inside the player's click, so the context runs from the first sound on.
  var AudioContextClass = window.AudioContext || window.webkitAudioContext;
  if (AudioContextClass) {
    Module.audioContext = new AudioContextClass();
    Module.audioContext.resume();
  }
  document.getElementById('start').hidden = true;
  document.getElementById('canvas').focus();
  Module.callMain(Module.arguments);
}

document.getElementById('dialog-ok').addEventListener('click', function () {
  document.getElementById('dialog').hidden = true;
});
document.getElementById('again').addEventListener('click', function () {
  window.location.reload();
});
