#include "Arduino.h"
#include "helper_3dmath.h"
#include "MPU6050_6Axis_MotionApps20.h"
#include "KeloGyro.h"
#include "MVRobot.h"
#include "MVSonicSensor.h"

MV_Robot Robot_0;
MV_SonicSensor USonic_1;
 
//AttachInterrupt function for Robot class
 void speedencint(){
       Robot_0.handleInterrupt();
}


void setup() {
  Robot_0.init(5,6,7,8,2,1,11);
  pinMode (2, INPUT) ;
  attachInterrupt(digitalPinToInterrupt(2), speedencint, CHANGE);
  pinMode (11, OUTPUT) ;
  USonic_1.setSonicParams(5,400,12,13);//min distance 5cm, check every 400ms
   USonic_1.init();
}

void loop() {
   
   Robot_0.setSpeed(200);
   while (1){
      if (USonic_1.distanceFront() < 20 ) {
         Robot_0.run(4);//Stop
         Robot_0.turnRight(90);
      }
      else {
      Robot_0.run(1);//Forward
      }
      
      delay(100);
   }
   
}

